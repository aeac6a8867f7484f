#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The file type filter: the list of accepted extensions (without their dot, as the user or the
// file wrote them; unsorted, duplicates allowed) and its acceptance test. The main window holds
// the list and the on/off byte (FilterList, FilteringOn); these functions work on them.

// The extensions a new or emptied list is filled with: the Windows program's 17, "wav" first
// and "la" 17th, then today's types from "flac" to "flv".
const std::vector<std::string>& DefaultFilterList();

// The name of the filter list file in the settings folder.
inline constexpr std::string_view kFilterFileName = "Qvrl.flt";

// The acceptance test. Every path passes while filteringOn is not 1. Otherwise the extension
// is the text after the last "." found searching backwards from the next-to-last character
// (a final "." is never taken; the search goes on through folder names), and the path passes
// when some entry equals it without regard to ASCII letter case. No "." means no pass; so does
// a null list.
bool PassesFilter(std::string_view path, const std::vector<std::string>* filterList,
                  std::uint8_t filteringOn);

// The longest entry kept from the file and the most entries kept; longer lines, and lines past
// the count, are dropped as the file is read.
inline constexpr std::size_t kMaxFilterEntryBytes = 40;
inline constexpr std::size_t kMaxFilterEntries = 4096;

// Whether a line of the filter list file can be an extension: 1 to kMaxFilterEntryBytes bytes
// of UTF-8 with no control character and no path separator ("/" or "\\"). A leading dot, as a
// user may type it, is kept (it matches nothing, as it always did).
bool IsFilterEntry(std::string_view line);

// Reads the filter list file into list when the file exists, keeping only the lines that are
// IsFilterEntry (at most kMaxFilterEntries); a list left empty (no file, a file without lines,
// or one of garbage) gets the defaults. Throws EFOpenError ("Cannot open file %s") for a file
// that exists but cannot be read; the list is then unchanged.
void LoadFilterFile(const std::string& path, std::vector<std::string>& list);

// Replaces the filter list file with the entries, one per line, CR LF after each; the folder
// is made when missing. Throws EFCreateError ("Cannot create file %s"); the old file then
// stays whole.
void SaveFilterFile(const std::string& path, const std::vector<std::string>& list);
