#pragma once

#include <string_view>
#include <vector>

#include "playlist/PlayListRecord.h"

// Reads an XSPF list (.xspf) through pugixml: each track of the play list's trackList, in
// order, with its first <location> as the path and its <title> as the caption. Elements are
// matched by their local name, so a namespace prefix does not matter. The location is kept as
// written, a URI reference that the path rules decode (its raw text where only that names a
// file). VLC's start-time and stop-time options (<extension> <vlc:option>) make the track a
// part of its file. A track without a location gives a record
// with an empty path, which names nothing. The text is UTF-8 (or what its XML declaration
// says); no external entity or document is ever fetched.
// Throws EPlayListFormatError when the XML is not well-formed or its root is no <playlist>.
class XspfReader {
public:
    static std::vector<PlayListRecord> Read(std::string_view bytes);
};
