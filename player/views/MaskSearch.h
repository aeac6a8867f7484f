#pragma once

#include <string>
#include <string_view>
#include <vector>

// The file masks of the explorer list: "*" any run of characters, "?" one character, anything
// else itself; letter case (ASCII) does not count. A "*" takes the first occurrence of the text
// after it and never backtracks, so "*.mp3" matches "a.mp3" but not "a.mp3.mp3".

// Parses a mask value such as "*.MP3, *.wav" or "mp3;song?": "," works as ";", each piece is
// trimmed of blanks and lowercased; a piece without "*", "?" and "." becomes "*piece*", one
// without "." not ending in "*" gets a "*" appended; the result is sorted without duplicates.
// An empty value gives the single mask "*".
std::vector<std::string> ParseMaskList(std::string_view value);

// True when the name matches some mask of the list; an empty name always matches, an empty
// list matches nothing else. The name is lowercased here.
bool MatchMaskList(std::string_view name, const std::vector<std::string>& masks);

// One name against one mask, both lowercased already.
bool MatchMask(std::string_view name, std::string_view mask);
