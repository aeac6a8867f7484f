#pragma once

#include <string>
#include <utility>
#include <vector>

class PlayList;
struct PlayListEntry;
struct TrackTags;

// "Titles from Tags": an entry that still shows its file's name is captioned from its tags
// once they are read: "Artist - Title", or the title alone, or (no title) the name it has.
// Captions a play list file gave (#EXTINF, PLS, XSPF titles) and captions the user edited are
// not the file's name, and stay.

// "Artist - Title", the title alone without an artist, empty without a title.
std::string CaptionFromTags(const TrackTags& tags);
// Whether the caption is the file's name, whole (as a drop names it) or without its extension
// (as a list without titles names it).
bool ShowsFileName(const PlayListEntry& entry);
// For the entries first..last (clamped to the list): each one's index and new caption, where
// the entry shows its file's name and its tags give a caption that differs.
std::vector<std::pair<int, std::string>> CaptionsFromTags(const PlayList& list, int first,
                                                          int last);
