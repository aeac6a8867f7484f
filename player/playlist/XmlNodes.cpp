#include "playlist/XmlNodes.h"

#include "textfile/AsciiCase.h"

namespace {

std::string_view LocalName(std::string_view name) {
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::string Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1));
}

}  // namespace

namespace XmlNodes {

void Parse(pugi::xml_document& document, std::string_view bytes) {
    const pugi::xml_parse_result result =
        document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_auto);
    if (!result)
        throw EPlayListFormatError(
            "It is not well-formed XML: " + std::string(result.description()) + " at byte " +
            std::to_string(result.offset) + ".");
}

bool Is(const pugi::xml_node& node, std::string_view name) {
    return node.type() == pugi::node_element &&
           EqualsIgnoringAsciiCase(LocalName(node.name()), name);
}

pugi::xml_node Child(const pugi::xml_node& parent, std::string_view name) {
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling())
        if (Is(child, name))
            return child;
    return {};
}

std::string Attribute(const pugi::xml_node& node, std::string_view name) {
    for (pugi::xml_attribute attribute = node.first_attribute(); attribute;
         attribute = attribute.next_attribute())
        if (EqualsIgnoringAsciiCase(LocalName(attribute.name()), name))
            return Trimmed(attribute.value());
    return {};
}

std::string TrimmedText(const pugi::xml_node& node) {
    return Trimmed(node.text().get());
}

}  // namespace XmlNodes
