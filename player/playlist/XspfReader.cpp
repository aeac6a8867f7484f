#include "playlist/XspfReader.h"

#include <pugixml.hpp>

#include <string>

#include "playlist/PlayListFormatError.h"
#include "playlist/TrackPath.h"

namespace {

// The name without its namespace prefix.
std::string_view LocalName(const pugi::xml_node& node) {
    const std::string_view name = node.name();
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node Child(const pugi::xml_node& parent, std::string_view localName) {
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling())
        if (child.type() == pugi::node_element && LocalName(child) == localName)
            return child;
    return {};
}

std::string TrimmedText(const pugi::xml_node& node) {
    const std::string_view text = node.text().get();
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1));
}

// VLC's start and stop options of a track: <extension application="...videolan..."> holding
// <vlc:option>start-time=12.5</vlc:option>.
void ReadVlcTimes(const pugi::xml_node& track, PlayListRecord& record) {
    std::int64_t startMs = 0, endMs = -1;
    for (pugi::xml_node extension = track.first_child(); extension;
         extension = extension.next_sibling()) {
        if (extension.type() != pugi::node_element || LocalName(extension) != "extension")
            continue;
        for (pugi::xml_node option = extension.first_child(); option;
             option = option.next_sibling()) {
            if (option.type() != pugi::node_element || LocalName(option) != "option")
                continue;
            const std::string text = TrimmedText(option);
            const std::size_t equals = text.find('=');
            const std::string name = text.substr(0, equals);
            if (equals == std::string::npos || (name != "start-time" && name != "stop-time"))
                continue;
            if (const auto ms = ParseSeconds(text.substr(equals + 1)))
                (name == "start-time" ? startMs : endMs) = *ms;
        }
    }
    if (endMs < 0 || endMs > startMs) {
        record.StartMs = startMs;
        record.EndMs = endMs;
    }
}

}  // namespace

std::vector<PlayListRecord> XspfReader::Read(std::string_view bytes) {
    pugi::xml_document document;
    const pugi::xml_parse_result result =
        document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_auto);
    if (!result)
        throw EPlayListFormatError(
            "It is not well-formed XML: " + std::string(result.description()) + " at byte " +
            std::to_string(result.offset) + ".");
    const pugi::xml_node root = document.document_element();
    if (!root || LocalName(root) != "playlist")
        throw EPlayListFormatError(
            "It is not an XSPF play list: its root element is not <playlist>.");

    std::vector<PlayListRecord> records;
    const pugi::xml_node trackList = Child(root, "trackList");
    for (pugi::xml_node track = trackList.first_child(); track; track = track.next_sibling()) {
        if (track.type() != pugi::node_element || LocalName(track) != "track")
            continue;
        PlayListRecord record;
        record.Caption = TrimmedText(Child(track, "title"));
        record.Path = TrimmedText(Child(track, "location"));
        record.PathEscapes = PlayListRecord::Escapes::DecodedFirst;
        ReadVlcTimes(track, record);
        records.push_back(std::move(record));
    }
    return records;
}
