#include "mpris/MprisValues.h"

#include <limits>

std::string PlaybackStatusName(MediaMode mode, std::int64_t positionMs, std::int64_t lengthMs) {
    switch (mode) {
        case MediaMode::Playing:
        case MediaMode::Seeking:
            return "Playing";
        case MediaMode::NotReady:
            return "Stopped";
        default:
            return positionMs >= lengthMs ? "Stopped" : "Paused";
    }
}

std::string LoopStatusName(std::uint8_t loopOn) {
    return loopOn == 1 ? "Playlist" : "None";
}

std::optional<bool> LoopWanted(std::string_view status) {
    if (status == "Playlist")
        return true;
    if (status == "None")
        return false;
    return std::nullopt;
}

std::string TrackIdPath(std::uint64_t openCount) {
    if (openCount == 0)
        return "/org/mpris/MediaPlayer2/TrackList/NoTrack";
    return "/org/mpris/MediaPlayer2/quavrel/track/" + std::to_string(openCount);
}

std::optional<std::int64_t> SeekTargetMs(std::int64_t positionMs, std::int64_t lengthMs,
                                         std::int64_t offsetUs) {
    const std::int64_t offsetMs = offsetUs / 1000;
    // Offsets come from other programs: keep the sum inside 64 bits whatever they send.
    std::int64_t target;
    if (offsetMs > 0 && positionMs > std::numeric_limits<std::int64_t>::max() - offsetMs)
        return std::nullopt;
    if (offsetMs < 0 && positionMs < std::numeric_limits<std::int64_t>::min() - offsetMs)
        target = 0;
    else
        target = positionMs + offsetMs;
    if (target > lengthMs)
        return std::nullopt;
    return target < 0 ? 0 : target;
}

std::optional<std::int64_t> PositionTargetMs(std::int64_t lengthMs, std::int64_t positionUs) {
    if (positionUs < 0)
        return std::nullopt;
    const std::int64_t target = positionUs / 1000;
    if (target > lengthMs)
        return std::nullopt;
    return target;
}
