#pragma once

#include <string_view>
#include <vector>

#include "playlist/PlayListRecord.h"

// Reads a Windows Media Player list (.wpl, SMIL in XML) through pugixml: every <media src="..."/>
// under <body>, in document order (inside <seq> or not), its src as the path (a Windows path,
// relative to the list or a drive path, for the path rules) with no caption: the list holds
// none per entry. Names match in any letter case and without a namespace prefix; the entities
// these files use (&amp;, &apos;, numeric ones) are read as XML reads them.
// Throws EPlayListFormatError when the XML is not well-formed or its root is no <smil>.
class WplReader {
public:
    static std::vector<PlayListRecord> Read(std::string_view bytes);
};
