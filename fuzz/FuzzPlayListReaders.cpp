// Both play list forms. Any bytes: the readers end without error. Fields taken from the
// input and written in each form by the format's rules read back as the same records.
#include "FuzzSupport.h"
#include "playlist/M3uReader.h"
#include "playlist/QplReader.h"
#include "textfile/TextLineReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = Bytes(data, size);
    {
        TextLineReader reader(bytes);
        const auto records = QplReader::Read(reader);
        FUZZ_CHECK(records.size() <= size / 2 + 1);
    }
    {
        TextLineReader reader(bytes);
        const auto records = M3uReader::Read(reader);
        FUZZ_CHECK(records.size() <= size + 1);
        for (const PlayListRecord& record : records)
            FUZZ_CHECK(record.Caption.empty());
    }

    // Round trip: a record per two fields; the paths alone as an M3U list.
    const std::vector<std::string> fields = Fields(bytes);
    std::vector<PlayListRecord> written;
    for (std::size_t i = 0; i + 1 < fields.size(); i += 2)
        written.push_back({LineSafe(fields[i]), LineSafe(fields[i + 1])});
    std::string qpl = "Quavrel v2.0 PlayList File\r\n";
    std::string m3u;
    for (const PlayListRecord& record : written) {
        qpl += record.Caption + "\r\n" + record.Path + "\r\n";
        m3u += record.Path + "\r\n";
    }
    TextLineReader qplReader(qpl);
    FUZZ_CHECK(QplReader::Read(qplReader) == written);
    TextLineReader m3uReader(m3u);
    const auto paths = M3uReader::Read(m3uReader);
    FUZZ_CHECK(paths.size() == written.size());
    for (std::size_t i = 0; i < paths.size(); ++i)
        FUZZ_CHECK(paths[i].Path == written[i].Path);
    return 0;
}
