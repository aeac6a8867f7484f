#pragma once

#include <string_view>
#include <vector>

#include "playlist/PlayListRecord.h"

// Reads an Advanced Stream Redirector list (.asx) through pugixml: each <entry> of the <asx>
// root, in order, its first <ref href="..."/> as the path (a file:// URI, a plain or Windows
// path for the path rules; streams name nothing) and its <title> as the caption. An entry
// without a ref gives a record with an empty path, which names nothing; <entryref> (a list
// naming another list) gives nothing. Names match in any letter case (these files write <ASX>,
// <Entry>, <Ref HREF=...>); entities are read as XML reads them. The text is what its XML
// declaration says, else UTF-8 (the loader reads text that is not as Windows-1252).
// Throws EPlayListFormatError when the XML is not well-formed or its root is no <asx>.
class AsxReader {
public:
    static std::vector<PlayListRecord> Read(std::string_view bytes);
};
