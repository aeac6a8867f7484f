#pragma once

#include <pugixml.hpp>

#include <string>
#include <string_view>

#include "playlist/PlayListFormatError.h"

// What the readers of Windows Media lists (.wpl, .asx) share: names matched without their
// namespace prefix and without regard to ASCII letter case, as those files are written in any
// case (<ASX>, <Entry>, <Ref HREF=...>), and one way to parse them. Plain C++; any thread.
namespace XmlNodes {

// The document of bytes; no external entity or document is ever fetched. Throws
// EPlayListFormatError when the XML is not well-formed.
void Parse(pugi::xml_document& document, std::string_view bytes);
// True when the element's local name is name (lower case) in any letter case.
bool Is(const pugi::xml_node& node, std::string_view name);
// The first child element of that name; an empty node without one.
pugi::xml_node Child(const pugi::xml_node& parent, std::string_view name);
// The value of the attribute of that name in any letter case; "" without one.
std::string Attribute(const pugi::xml_node& node, std::string_view name);
// The element's text with blanks and line breaks trimmed at both ends.
std::string TrimmedText(const pugi::xml_node& node);

}  // namespace XmlNodes
