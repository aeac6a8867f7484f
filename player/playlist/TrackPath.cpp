#include "playlist/TrackPath.h"

#include <filesystem>

namespace {

constexpr std::string_view Marker = "|t=";
constexpr std::int64_t YearMs = 366LL * 24 * 3600 * 1000;

}  // namespace

std::string SecondsText(std::int64_t ms) {
    std::string text = std::to_string(ms / 1000);
    if (const std::int64_t fraction = ms % 1000; fraction != 0) {
        std::string digits = std::to_string(1000 + fraction).substr(1);
        while (digits.back() == '0')
            digits.pop_back();
        text += '.' + digits;
    }
    return text;
}

std::optional<std::int64_t> ParseSeconds(std::string_view text) {
    const std::size_t dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    const std::string_view fraction =
        dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
    if (whole.empty() || whole.size() > 9 || (dot != std::string_view::npos && fraction.empty()))
        return std::nullopt;
    std::int64_t ms = 0;
    for (const char c : whole) {
        if (c < '0' || c > '9')
            return std::nullopt;
        ms = ms * 10 + (c - '0');
    }
    ms *= 1000;
    std::int64_t scale = 100;
    bool roundUp = false;
    for (std::size_t i = 0; i < fraction.size(); ++i) {
        const char c = fraction[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        if (i < 3)
            ms += (c - '0') * scale, scale /= 10;
        else if (i == 3)
            roundUp = c >= '5';
    }
    ms += roundUp ? 1 : 0;
    if (ms > YearMs)
        return std::nullopt;
    return ms;
}

std::string TrackPathOf(const TrackPart& part) {
    if (part.StartMs <= 0 && part.EndMs < 0)
        return part.File;
    std::string path = part.File + std::string(Marker) + SecondsText(part.StartMs);
    if (part.EndMs >= 0)
        path += ',' + SecondsText(part.EndMs);
    return path;
}

std::optional<TrackPart> ParseTrackPath(std::string_view path) {
    const std::size_t marker = path.rfind(Marker);
    if (marker == std::string_view::npos || marker == 0)
        return std::nullopt;
    const std::string_view times = path.substr(marker + Marker.size());
    const std::size_t comma = times.find(',');
    TrackPart part;
    part.File = std::string(path.substr(0, marker));
    const std::optional<std::int64_t> start = ParseSeconds(times.substr(0, comma));
    if (!start)
        return std::nullopt;
    part.StartMs = *start;
    if (comma != std::string_view::npos) {
        const std::optional<std::int64_t> end = ParseSeconds(times.substr(comma + 1));
        if (!end || *end <= part.StartMs)
            return std::nullopt;
        part.EndMs = *end;
    }
    return part;
}

std::optional<TrackPart> PartPlayedBy(const std::string& path) {
    if (path.find(Marker) == std::string::npos)
        return std::nullopt;
    std::error_code error;
    if (std::filesystem::exists(path, error))
        return std::nullopt;
    return ParseTrackPath(path);
}

std::string PlayedFileOf(const std::string& path) {
    const std::optional<TrackPart> part = PartPlayedBy(path);
    return part ? part->File : path;
}
