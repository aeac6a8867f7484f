#pragma once

#include <vector>

#include "playlist/PlayListRecord.h"

class SaveFile;

// Writes an extended M3U list in UTF-8 (.m3u8), as other players read it: "#EXTM3U", then per
// record "#EXTINF:-1,<caption>" (-1: length not known) and the path, every line ended by LF.
// Captions are written with their line breaks as spaces, so a caption stays on its line;
// paths are written byte for byte. A part of a file gets VLC's "#EXTVLCOPT:" start and stop
// lines between its "#EXTINF" and its path. The caller commits the file. Errors are EInOutError.
class ExtM3uWriter {
public:
    static void Write(SaveFile& file, const std::vector<PlayListRecord>& records);
};
