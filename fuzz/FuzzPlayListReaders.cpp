// The own form and M3U (plain and extended). Any bytes: the readers end without error. Fields
// taken from the input and written in each form by the format's rules read back as the same
// records.
#include "FuzzSupport.h"
#include "playlist/M3uReader.h"
#include "playlist/QplReader.h"

namespace {

// A field as it can stand in a line of these forms: no line end, no Ctrl-Z.
std::string ListSafe(std::string text) {
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n' || c == '\x1a'; });
    return text;
}

bool IsEntryLine(const std::string& line) {
    return line.find_first_not_of(" \t") != std::string::npos && line.front() != '#';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = Bytes(data, size);
    FUZZ_CHECK(QplReader::Read(bytes).size() <= size / 2 + 1);
    for (const PlayListRecord& record : M3uReader::Read(bytes)) {
        FUZZ_CHECK(IsEntryLine(record.Path));
        FUZZ_CHECK(record.Path.find_first_of("\r\n") == std::string::npos);
    }

    // Round trip: a record per two fields, in the own form (CR LF) and as an extended M3U
    // (LF, as Linux programs write it), behind a byte-order mark.
    const std::vector<std::string> fields = Fields(bytes);
    std::vector<PlayListRecord> written;
    for (std::size_t i = 0; i + 1 < fields.size(); i += 2)
        written.push_back({ListSafe(fields[i]), ListSafe(fields[i + 1])});
    std::string qpl = "Quavrel v2.0 PlayList File\r\n";
    std::string m3u = "\xEF\xBB\xBF#EXTM3U\n";
    std::vector<PlayListRecord> entries;
    for (const PlayListRecord& record : written) {
        qpl += record.Caption + "\r\n" + record.Path + "\r\n";
        if (!IsEntryLine(record.Path) || record.Caption.find_first_of(",\"") != std::string::npos)
            continue;
        const std::size_t first = record.Caption.find_first_not_of(" \t");
        const std::string title =
            first == std::string::npos
                ? std::string()
                : record.Caption.substr(first, record.Caption.find_last_not_of(" \t") - first + 1);
        m3u += "#EXTINF:-1," + record.Caption + "\n" + record.Path + "\n";
        entries.push_back({title, record.Path, PlayListRecord::Escapes::WrittenFirst});
    }
    FUZZ_CHECK(QplReader::Read(qpl) == written);
    FUZZ_CHECK(M3uReader::Read(m3u) == entries);
    return 0;
}
