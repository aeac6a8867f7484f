#include "playlist/AsxReader.h"

#include "playlist/XmlNodes.h"

std::vector<PlayListRecord> AsxReader::Read(std::string_view bytes) {
    pugi::xml_document document;
    XmlNodes::Parse(document, bytes);
    const pugi::xml_node root = document.document_element();
    if (!XmlNodes::Is(root, "asx"))
        throw EPlayListFormatError("It is not an ASX play list: its root element is not <asx>.");
    std::vector<PlayListRecord> records;
    for (pugi::xml_node entry = root.first_child(); entry; entry = entry.next_sibling()) {
        if (!XmlNodes::Is(entry, "entry"))
            continue;
        PlayListRecord record;
        record.Caption = XmlNodes::TrimmedText(XmlNodes::Child(entry, "title"));
        record.Path = XmlNodes::Attribute(XmlNodes::Child(entry, "ref"), "href");
        record.PathEscapes = PlayListRecord::Escapes::WrittenFirst;
        records.push_back(std::move(record));
    }
    return records;
}
