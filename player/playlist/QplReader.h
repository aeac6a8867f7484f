#pragma once

#include <vector>

#include "playlist/PlayListRecord.h"

class TextLineReader;

// Reads the player's own play list form (.qpl): a header line, taken as read and not checked,
// then a caption line and a path line per entry until the end of the file. A file that ends
// after a caption line gives a last record with an empty path; an extra empty line at the end
// gives an empty record. Lines follow TextLineReader's rules (a lone LF stays in the text).
class QplReader {
public:
    static std::vector<PlayListRecord> Read(TextLineReader& reader);
};
