#include "playlist/M3uReader.h"

#include "textfile/ListLineReader.h"

namespace {

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The title of an "#EXTINF:" line: after the first comma that stands outside double quotes.
std::string_view ExtInfTitle(std::string_view line) {
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ',' && !quoted)
            return Trimmed(line.substr(i + 1));
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
        if (IsBlank(line))
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
