#pragma once

#include <string>
#include <string_view>

// The rules that turn a tag's raw text into what the player shows and stores. Plain text
// functions; any thread.

// A tag's text as shown: valid UTF-8 (a text that is not is read as Windows-1252), control
// characters (line ends, tabs, NULs) as spaces so no tag can break a line of a list file,
// no spaces at either end, and at most MaxTagTextBytes bytes, cut between characters.
std::string CleanTagText(std::string_view text);
inline constexpr std::size_t MaxTagTextBytes = 1000;

// The number a track or disc field starts with ("3/12" is 3, " 07" is 7); 0 when it starts
// with none or is out of range (over 99999).
int LeadingNumber(std::string_view text);

// The year a date field names: its first four digits in a row ("2001-05-03", "c. 1999");
// 0 when there is none.
int YearOf(std::string_view text);

// Windows-1252 bytes in UTF-8, the five undefined bytes as U+FFFD. The code page that old
// ID3v1 tags and Latin-1 frames are written in, in practice; it reads Latin-1 alike but for
// 0x80..0x9F, which Latin-1 leaves to control characters.
std::string Windows1252Text(std::string_view bytes);
