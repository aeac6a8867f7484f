#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A part of a media file (a CUE sheet's track) as the play list holds it: one path,
// "<file>|t=<start>,<end>" with the times in seconds ("/m/Album.flac|t=252.347,510"), the end
// left out where the part plays to the end of the file ("/m/Album.flac|t=510"). That path is
// what the entry plays, shows and stores: a list saved in the own form keeps its tracks, and
// the Windows program, for which "|" can stand in no file name, counts such a line as one entry
// that failed, never as another file. A file whose own name looks like this still plays as that
// file where it exists: the readers try the path as written first. Plain C++; any thread.
struct TrackPart {
    std::string File;
    std::int64_t StartMs = 0;
    std::int64_t EndMs = -1;  // -1: to the end of the file

    bool operator==(const TrackPart&) const = default;
};

// The path of a part; the file itself when the part is the whole file (0 to the end).
std::string TrackPathOf(const TrackPart& part);
// The part a path names; none for a plain path. The file must be non-empty, the start at least
// 0 and an end after the start.
std::optional<TrackPart> ParseTrackPath(std::string_view path);
// The part a path plays: ParseTrackPath's, but none for a file whose own name reads as a
// track path (it exists). Looks at the file system; blocks on it.
std::optional<TrackPart> PartPlayedBy(const std::string& path);
// The file a path plays: the part's file, or the path itself. Looks at the file system.
std::string PlayedFileOf(const std::string& path);

// Milliseconds as seconds with up to three decimals, trailing zeros dropped: 252347 "252.347",
// 510000 "510".
std::string SecondsText(std::int64_t ms);
// Seconds written with an optional fraction ("12", "12.5", "0.0405") in milliseconds, rounded
// to the nearest; none for anything else, and for more than a year.
std::optional<std::int64_t> ParseSeconds(std::string_view text);
