// What the list forms share: line ends, the encoding fallback, URI decoding and the path
// rules. Any bytes: readable text is always UTF-8 and leaves UTF-8 as it is; percent-encoding
// gives every byte back; the resolver ends without error and without a hang on any line.
#include "FuzzSupport.h"
#include "playlist/FileUri.h"
#include "playlist/ListPathResolver.h"
#include "textfile/ListLineReader.h"
#include "textfile/TextEncoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = Bytes(data, size);

    ListLineReader reader(bytes);
    std::size_t lines = 0, total = 0;
    while (!reader.Eof()) {
        const std::string_view line = reader.ReadLine();
        FUZZ_CHECK(line.find_first_of("\r\n") == std::string_view::npos);
        FUZZ_CHECK(line.data() >= bytes.data() && line.data() + line.size() <= bytes.data() + size);
        total += line.size();
        ++lines;
    }
    FUZZ_CHECK(lines <= size && total <= size);

    const std::string readable = ReadableText(bytes);
    FUZZ_CHECK(IsValidUtf8(readable));
    if (IsValidUtf8(bytes))
        FUZZ_CHECK(readable == bytes);

    FUZZ_CHECK(PercentDecode(PercentEncode(bytes)) == bytes);
    FUZZ_CHECK(PercentDecode(bytes).size() <= size);
    if (const auto path = FileUriPath(bytes))
        FUZZ_CHECK(path->front() == '/');

    // A folder that does not exist: every test of the disk says no, quickly.
    const ListPathResolver resolver("/nonexistent-quavrel-fuzz/list", false);
    ListLineReader lineReader(bytes);
    for (int i = 0; i < 8 && !lineReader.Eof(); ++i) {
        const std::string line(lineReader.ReadLine());
        for (const auto escapes :
             {PlayListRecord::Escapes::AsWritten, PlayListRecord::Escapes::WrittenFirst,
              PlayListRecord::Escapes::DecodedFirst}) {
            const std::optional<std::string> path = resolver.Resolve(line, escapes);
            if (path)
                FUZZ_CHECK(!path->empty());
        }
    }
    return 0;
}
