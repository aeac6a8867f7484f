#pragma once

#include <string_view>
#include <vector>

#include "playlist/PlayListRecord.h"

// Reads the player's own play list form (.qpl): a header line, taken as read and not checked,
// then a caption line and a path line per entry until the end of the file. A file that ends
// after a caption line gives a last record with an empty path; an extra empty line at the end
// gives an empty record. Lines end as ListLineReader says (CR LF, CR or LF). Bytes are kept
// as they stand.
class QplReader {
public:
    static std::vector<PlayListRecord> Read(std::string_view bytes);
};
