#include "playlist/M3uReader.h"

#include "playlist/TrackPath.h"
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

// The milliseconds of a VLC option line "#EXTVLCOPT:<name>=<seconds>", if it is that option.
std::optional<std::int64_t> VlcTime(std::string_view line, std::string_view name) {
    constexpr std::string_view prefix = "#EXTVLCOPT:";
    if (!line.starts_with(prefix))
        return std::nullopt;
    const std::string_view option = TrimBlanks(line.substr(prefix.size()));
    if (!option.starts_with(name) || option.substr(name.size(), 1) != "=")
        return std::nullopt;
    return ParseSeconds(TrimBlanks(option.substr(name.size() + 1)));
}

}  // namespace

std::vector<PlayListRecord> M3uReader::Read(std::string_view bytes) {
    ListLineReader reader(bytes);
    std::vector<PlayListRecord> records;
    std::string_view title;
    std::int64_t startMs = 0, endMs = -1;
    while (!reader.Eof()) {
        const std::string_view line = reader.ReadLine();
        if (TrimBlanks(line).empty())
            continue;
        if (line.front() == '#') {
            if (line.starts_with("#EXTINF:"))
                title = ExtInfTitle(line);
            else if (const auto start = VlcTime(line, "start-time"))
                startMs = *start;
            else if (const auto stop = VlcTime(line, "stop-time"))
                endMs = *stop;
            continue;
        }
        PlayListRecord record{std::string(title), std::string(line),
                              PlayListRecord::Escapes::WrittenFirst};
        if (endMs < 0 || endMs > startMs) {
            record.StartMs = startMs;
            record.EndMs = endMs;
        }
        records.push_back(std::move(record));
        title = {};
        startMs = 0;
        endMs = -1;
    }
    return records;
}
