#include "playlist/WplReader.h"

#include "playlist/XmlNodes.h"

namespace {

void Collect(const pugi::xml_node& parent, std::vector<PlayListRecord>& records, int depth) {
    if (depth > 64)
        return;  // nothing real nests that deep; a crafted file must not exhaust the stack
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
        if (XmlNodes::Is(child, "media"))
            records.push_back(PlayListRecord{
                {}, XmlNodes::Attribute(child, "src"), PlayListRecord::Escapes::WrittenFirst});
        else if (child.type() == pugi::node_element)
            Collect(child, records, depth + 1);
    }
}

}  // namespace

std::vector<PlayListRecord> WplReader::Read(std::string_view bytes) {
    pugi::xml_document document;
    XmlNodes::Parse(document, bytes);
    const pugi::xml_node root = document.document_element();
    if (!XmlNodes::Is(root, "smil"))
        throw EPlayListFormatError(
            "It is not a Windows Media play list: its root element is not <smil>.");
    std::vector<PlayListRecord> records;
    Collect(XmlNodes::Child(root, "body"), records, 0);
    return records;
}
