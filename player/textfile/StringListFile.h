#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The string-list file form (the filter list): one entry per line. Reading, a line ends at CR,
// at LF or at CR LF; a NUL ends the text; empty lines in the middle give empty entries, but no
// entry is made for the text after the last line end when it is empty. Writing ends every
// entry with CR LF.

std::vector<std::string> ParseStringList(std::string_view bytes);
// The same lines, each handed to take as it is found, without holding them all.
void ForEachStringListLine(std::string_view bytes,
                           const std::function<void(std::string_view)>& take);

// Reads a file and parses it, lines refused by keep (when given) dropped as they are read.
// Throws EFOpenError ("Cannot open file %s") when it cannot be read: it is no regular file, or
// larger than the player reads.
std::vector<std::string> LoadStringList(const std::string& path,
                                        const std::function<bool(std::string_view)>& keep = {});

// Replaces the file through SaveFile. Throws EFCreateError ("Cannot create file %s") on any
// failure; the old file then stays whole.
void SaveStringList(const std::string& path, const std::vector<std::string>& lines);
