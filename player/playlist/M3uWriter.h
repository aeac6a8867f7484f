#pragma once

#include <vector>

#include "playlist/PlayListRecord.h"

class TextLineWriter;

// Writes an M3U list: one path per line, each ended by CR LF; no header, comments or captions,
// but a record that is a part of its file (a CUE track) has VLC's "#EXTVLCOPT:start-time=" and
// "stop-time=" lines before its path, which VLC and our own reader play as that part.
// The caller commits the writer. Errors are EInOutError.
class M3uWriter {
public:
    static void Write(TextLineWriter& writer, const std::vector<PlayListRecord>& records);
};
