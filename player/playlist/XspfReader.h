#pragma once

#include <string_view>
#include <vector>

#include "playlist/PlayListRecord.h"

// Reads an XSPF list (.xspf) through pugixml: each track of the play list's trackList, in
// order, with its first <location> as the path and its <title> as the caption. Elements are
// matched by their local name, so a namespace prefix does not matter. A location with a
// scheme ("file:///...", "http://...") is kept as a URI for the path rules; a relative
// reference is percent-decoded to a relative path. A track without a location gives a record
// with an empty path, which names nothing. The text is UTF-8 (or what its XML declaration
// says); no external entity or document is ever fetched.
// Throws EPlayListFormatError when the XML is not well-formed or its root is no <playlist>.
class XspfReader {
public:
    static std::vector<PlayListRecord> Read(std::string_view bytes);
};
