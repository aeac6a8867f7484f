#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// What the player reads from and about internet streams: whether a play list path is a stream's
// address, and the stream's own words made fit to show. Plain functions, any thread.
namespace StreamText {

// True for an http:// or https:// address (scheme in any letter case): such a path plays as a
// stream, with no length, and is kept in the list when it cannot be reached.
bool IsStreamAddress(std::string_view path);

// Text a server sent about its stream (a station name, a title) made safe to show: bytes that
// are not UTF-8 are read as Windows-1252, control characters become blanks, runs of blanks
// shrink to one, the ends are trimmed, and the result is cut at a character boundary to at most
// limit bytes. Linear in the input; never throws on any bytes.
std::string Clean(std::string_view raw, std::size_t limit);

// "Station - Title", or the one of the two that is not empty, each cleaned; at most limit bytes.
std::string StationAndTitle(std::string_view station, std::string_view title, std::size_t limit);

}  // namespace StreamText
