#pragma once

#include <string_view>
#include <vector>

#include "playlist/PlayListRecord.h"

// Reads a PLS list (.pls): the "[playlist]" section's "FileN=" paths or URIs with their
// "TitleN=" captions, in the order of N (not of the lines). Keys compare without regard to
// letter case; "NumberOfEntries", "LengthN" and "Version" are not needed and are skipped, as
// are lines of other sections and lines without "=". A "TitleN" without its "FileN" makes no
// entry. Paths are tried as written, then percent-decoded. Lines end as ListLineReader says; bytes
// are kept as they stand. Throws EPlayListFormatError when the text has no "[playlist]" section.
class PlsReader {
public:
    static std::vector<PlayListRecord> Read(std::string_view bytes);
};
