#pragma once

#include <string_view>
#include <vector>

#include "playlist/PlayListRecord.h"

// Reads an M3U list, plain or extended (.m3u, .m3u8), as other programs write it: every line
// that is not blank and does not start with "#" is an entry's path (or URI). An
// "#EXTINF:<seconds>,<title>" line gives the next entry its caption (the text after the first
// comma outside double quotes, so attributes such as tvg-name="a,b" stay out of it); other "#"
// lines are comments, but for VLC's "#EXTVLCOPT:start-time=<s>" and "stop-time=<s>", which make
// the next entry a part of its file. Paths are tried as written, then percent-decoded. Entries
// without a title keep an empty caption. Lines end as ListLineReader says; bytes are kept as they
// stand (the loader decides on their encoding).
class M3uReader {
public:
    static std::vector<PlayListRecord> Read(std::string_view bytes);
};
