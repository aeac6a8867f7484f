#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "media/MediaDevice.h"

// The values of the MPRIS media player interface that follow from the player's own state, and
// the arithmetic of its seek commands. MPRIS counts time in microseconds, the player in
// milliseconds; these functions take and give both as their names say.

// "Playing" while the device plays; "Paused" while a file is open and stopped inside it;
// "Stopped" with no file open or at the very end of one (a play then starts it again).
std::string PlaybackStatusName(MediaMode mode, std::int64_t positionMs, std::int64_t lengthMs);

// "Playlist" while loopOn is 1 (the list starts again after its last entry), else "None".
std::string LoopStatusName(std::uint8_t loopOn);

// What a client's LoopStatus asks for: true for "Playlist", false for "None"; nullopt for
// "Track" (the player cannot repeat one file) and anything else, which changes nothing.
std::optional<bool> LoopWanted(std::string_view status);

// The object path naming the nth opened file (n from 1); the "no track" path for 0.
std::string TrackIdPath(std::uint64_t openCount);

// Where a relative seek of offsetUs lands in a file: never before its start; nullopt when it
// would pass the end, which MPRIS treats as a move to the next track.
std::optional<std::int64_t> SeekTargetMs(std::int64_t positionMs, std::int64_t lengthMs,
                                         std::int64_t offsetUs);

// Where an absolute position lands, or nullopt when it is outside the file (then nothing
// happens, as MPRIS asks).
std::optional<std::int64_t> PositionTargetMs(std::int64_t lengthMs, std::int64_t positionUs);
