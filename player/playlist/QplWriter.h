#pragma once

#include <vector>

#include "playlist/PlayListRecord.h"

class TextLineWriter;

// Writes the player's own play list form: the header "Quavrel v2.0 PlayList File", then each
// record's caption line and path line, every line ended by CR LF; nothing after the last path.
// A part of a file (a CUE track) is written as its track path (TrackPath.h).
// The caller commits the writer. Errors are EInOutError.
class QplWriter {
public:
    static constexpr const char* Header = "Quavrel v2.0 PlayList File";

    static void Write(TextLineWriter& writer, const std::vector<PlayListRecord>& records);
};
