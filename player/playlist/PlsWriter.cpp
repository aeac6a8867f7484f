#include "playlist/PlsWriter.h"

#include <algorithm>
#include <string>

#include "playlist/FileUri.h"
#include "playlist/TrackPath.h"
#include "textfile/SaveFile.h"

namespace {

// Line ends, and the Ctrl-Z that ends a list for its readers, as spaces.
std::string OneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n' || c == '\x1a'; },
        ' ');
    return text;
}

// What a "FileN=" line holds for a path: the path itself where a reader gets it back.
std::string PathValue(const std::string& path) {
    const bool breaks = path.find_first_of("\r\n\x1a") != std::string::npos;
    const bool trimmed = !path.empty() && (path.front() == ' ' || path.front() == '\t' ||
                                           path.back() == ' ' || path.back() == '\t');
    if ((breaks || trimmed) && path.starts_with('/'))
        return "file://" + PercentEncode(path);
    return OneLine(path);
}

}  // namespace

void PlsWriter::Write(SaveFile& file, const std::vector<PlayListRecord>& records) {
    file.Write(Text(records));
}

std::string PlsWriter::Text(const std::vector<PlayListRecord>& records) {
    std::string text = "[playlist]\n";
    int n = 0;
    for (const PlayListRecord& record : records) {
        const std::string number = std::to_string(++n);
        const std::string path = TrackPathOf({record.Path, record.StartMs, record.EndMs});
        text += "File" + number + "=" + PathValue(path) + "\n";
        text += "Title" + number + "=" + OneLine(record.Caption) + "\n";
        const std::int64_t seconds = record.LengthMs < 0 ? -1 : (record.LengthMs + 500) / 1000;
        text += "Length" + number + "=" + std::to_string(seconds) + "\n";
    }
    return text + "NumberOfEntries=" + std::to_string(n) + "\nVersion=2\n";
}
