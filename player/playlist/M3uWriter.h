#pragma once

#include <vector>

#include "playlist/PlayListRecord.h"

class TextLineWriter;

// Writes an M3U list: one path per line, each ended by CR LF; no header, comments or captions.
// The caller commits the writer. Errors are EInOutError.
class M3uWriter {
public:
    static void Write(TextLineWriter& writer, const std::vector<PlayListRecord>& records);
};
