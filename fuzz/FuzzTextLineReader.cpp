// The line reader on any bytes: it ends, no line holds a CR, lines never outgrow the input,
// and once at the end every further line is empty.
#include "FuzzSupport.h"
#include "textfile/TextLineReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TextLineReader reader(Bytes(data, size));
    std::size_t lines = 0, bytes = 0;
    while (!reader.Eof()) {
        const std::string line = reader.ReadLine();
        FUZZ_CHECK(line.find('\r') == std::string::npos);
        FUZZ_CHECK(line.find('\x1a') == std::string::npos);
        bytes += line.size();
        // Each line read before the end takes at least one byte of the input.
        FUZZ_CHECK(++lines <= size);
    }
    FUZZ_CHECK(bytes <= size);
    FUZZ_CHECK(reader.ReadLine().empty());
    FUZZ_CHECK(reader.Eof());
    return 0;
}
