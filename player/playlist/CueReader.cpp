#include "playlist/CueReader.h"

#include <algorithm>
#include <optional>
#include <string>

#include "playlist/PlayListFormatError.h"
#include "textfile/AsciiCase.h"
#include "textfile/ListLineReader.h"

namespace {

constexpr std::int64_t FramesPerSecond = 75;

// The first word of a line and the rest after it, blanks trimmed.
std::pair<std::string, std::string_view> Command(std::string_view line) {
    line = TrimBlanks(line);
    const std::size_t blank = line.find_first_of(" \t");
    if (blank == std::string_view::npos)
        return {AsciiLowercase(line), {}};
    return {AsciiLowercase(line.substr(0, blank)), TrimBlanks(line.substr(blank + 1))};
}

// A quoted argument's text (up to the closing quote, or the line's end without one), else the
// whole rest.
std::string_view Text(std::string_view rest) {
    if (!rest.starts_with('"'))
        return rest;
    rest.remove_prefix(1);
    return rest.substr(0, rest.find('"'));
}

// FILE's name: quoted, or unquoted and then everything but a last word that reads as the
// file's type (WAVE, MP3, BINARY, ...: letters and digits, no "."), which may be left out.
std::string_view FileName(std::string_view rest) {
    if (rest.starts_with('"'))
        return Text(rest);
    const std::size_t blank = rest.find_last_of(" \t");
    if (blank == std::string_view::npos)
        return rest;
    const std::string_view last = rest.substr(blank + 1);
    for (const char c : last)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return rest;
    return TrimBlanks(rest.substr(0, blank));
}

std::optional<std::int64_t> Number(std::string_view digits) {
    if (digits.empty() || digits.size() > 9)
        return std::nullopt;
    std::int64_t n = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

// "mm:ss:ff" (or "mm:ss") in milliseconds.
std::optional<std::int64_t> Time(std::string_view text) {
    const std::size_t first = text.find(':');
    if (first == std::string_view::npos)
        return std::nullopt;
    const std::size_t second = text.find(':', first + 1);
    const auto minutes = Number(text.substr(0, first));
    const auto seconds = Number(text.substr(first + 1, second - first - 1));
    const auto frames = second == std::string_view::npos ? std::optional<std::int64_t>(0)
                                                         : Number(text.substr(second + 1));
    if (!minutes || !seconds || !frames)
        return std::nullopt;
    const std::int64_t totalFrames = ((*minutes * 60) + *seconds) * FramesPerSecond + *frames;
    return (totalFrames * 1000 + FramesPerSecond / 2) / FramesPerSecond;
}

struct Track {
    std::string file;
    int number = 0;
    std::string title;
    std::string performer;
    std::optional<std::int64_t> index01;
    std::optional<std::int64_t> lowest;  // the lowest other index, where there is no 01
    bool audio = true;
};

std::string TwoDigits(int n) {
    return n < 10 ? "0" + std::to_string(n) : std::to_string(n);
}

}  // namespace

std::vector<PlayListRecord> CueReader::Read(std::string_view bytes) {
    ListLineReader reader(bytes);
    std::vector<Track> tracks;
    std::string file, sheetPerformer;
    bool fileSeen = false, trackSeen = false;
    while (!reader.Eof()) {
        const auto [command, rest] = Command(reader.ReadLine());
        Track* track = tracks.empty() || !trackSeen ? nullptr : &tracks.back();
        if (command == "file") {
            file = std::string(FileName(rest));
            fileSeen = true;
            trackSeen = false;  // a TITLE before the next TRACK belongs to nobody
        } else if (command == "track") {
            const std::size_t blank = rest.find_first_of(" \t");
            const auto number = Number(rest.substr(0, blank));
            const std::string type = blank == std::string_view::npos
                                         ? ""
                                         : AsciiLowercase(TrimBlanks(rest.substr(blank)));
            Track next;
            next.file = fileSeen ? file : std::string();
            next.number = number ? static_cast<int>(*number) : static_cast<int>(tracks.size()) + 1;
            next.audio = fileSeen && (type.empty() || type == "audio");
            tracks.push_back(std::move(next));
            trackSeen = true;
        } else if (command == "index" && track) {
            const std::size_t blank = rest.find_first_of(" \t");
            const auto number = Number(rest.substr(0, blank));
            const auto time = blank == std::string_view::npos
                                  ? std::nullopt
                                  : Time(TrimBlanks(rest.substr(blank)));
            if (!number || !time)
                continue;
            if (*number == 1)
                track->index01 = time;
            else if (!track->lowest || *time < *track->lowest)
                track->lowest = time;
        } else if (command == "title" && track) {
            track->title = std::string(Text(rest));
        } else if (command == "performer") {
            (track ? track->performer : sheetPerformer) = std::string(Text(rest));
        }
    }
    if (tracks.empty())
        throw EPlayListFormatError("It is not a CUE sheet: it has no TRACK line.");

    // From the last track back, so each finds the start that ends it in one pass.
    std::vector<PlayListRecord> records;
    std::optional<std::int64_t> following;  // the next playable track's start in the same file
    for (std::size_t k = tracks.size(); k-- > 0;) {
        const Track& track = tracks[k];
        if (k + 1 < tracks.size() && tracks[k + 1].file != track.file)
            following.reset();
        const std::optional<std::int64_t> start = track.index01 ? track.index01 : track.lowest;
        if (!track.audio || !start)
            continue;
        PlayListRecord record;
        record.Caption = track.title.empty() ? "Track " + TwoDigits(track.number) : track.title;
        record.Performer = track.performer.empty() ? sheetPerformer : track.performer;
        record.Path = track.file;
        record.StartMs = *start;
        if (following && *following > *start)
            record.EndMs = *following;
        following = start;
        records.push_back(std::move(record));
    }
    std::reverse(records.begin(), records.end());
    return records;
}
