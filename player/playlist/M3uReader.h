#pragma once

#include <vector>

#include "playlist/PlayListRecord.h"

class TextLineReader;

// Reads an M3U list: every line is a path, comment lines of an extended M3U included (they name
// no file, and the loader counts them as entries that could not be added). Captions are empty.
class M3uReader {
public:
    static std::vector<PlayListRecord> Read(TextLineReader& reader);
};
