#pragma once

#include <string>
#include <vector>

#include "playlist/PlayListRecord.h"

class SaveFile;

// Writes a PLS list (.pls) in UTF-8 with LF line ends, as Linux players write it:
// "[playlist]", then per record "FileN=", "TitleN=" and "LengthN=" (whole seconds, -1 where
// the length is not known), then "NumberOfEntries=" and "Version=2". A path that a line cannot
// hold as it stands (a line break in it, blanks at its end, which readers trim) is written as a
// file:// URI; a part of a file, which PLS cannot say, as its track path (TrackPath.h), so
// other players pass it over rather than play the whole file. Captions are written with their
// line breaks as spaces. The caller commits the file. Errors are EInOutError.
class PlsWriter {
public:
    static void Write(SaveFile& file, const std::vector<PlayListRecord>& records);
    // The bytes Write writes.
    static std::string Text(const std::vector<PlayListRecord>& records);
};
