#include "playlist/M3uReader.h"

#include "textfile/ListLineReader.h"

namespace {

// The title of an "#EXTINF:" line: after the first comma that stands outside double quotes.
std::string_view ExtInfTitle(std::string_view line) {
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ',' && !quoted)
            return TrimBlanks(line.substr(i + 1));
    }
    return {};
}

}  // namespace

std::vector<PlayListRecord> M3uReader::Read(std::string_view bytes) {
    ListLineReader reader(bytes);
    std::vector<PlayListRecord> records;
    std::string_view title;
    while (!reader.Eof()) {
        const std::string_view line = reader.ReadLine();
        if (TrimBlanks(line).empty())
            continue;
        if (line.front() == '#') {
            if (line.starts_with("#EXTINF:"))
                title = ExtInfTitle(line);
            continue;
        }
        records.push_back(PlayListRecord{std::string(title), std::string(line)});
        title = {};
    }
    return records;
}
