#include "playlist/XspfWriter.h"

#include <pugixml.hpp>

#include <algorithm>
#include <string>

#include "playlist/FileUri.h"
#include "playlist/VlcTimes.h"
#include "textfile/SaveFile.h"
#include "textfile/TextEncoding.h"

namespace {

constexpr const char* VlcApplication = "http://www.videolan.org/vlc/playlist/0";

class StringWriter final : public pugi::xml_writer {
public:
    void write(const void* data, size_t size) override {
        text.append(static_cast<const char*>(data), size);
    }

    std::string text;
};

// Text XML 1.0 can hold: valid UTF-8 without the control characters it forbids.
std::string XmlText(const std::string& text) {
    std::string readable = ReadableText(text);
    std::erase_if(readable, [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 && c != '\t' && c != '\n' && c != '\r';
    });
    return readable;
}

std::string Location(const std::string& path) {
    return path.starts_with('/') ? "file://" + PercentEncode(path) : PercentEncode(path);
}

}  // namespace

void XspfWriter::Write(SaveFile& file, const std::vector<PlayListRecord>& records) {
    file.Write(Text(records));
}

std::string XspfWriter::Text(const std::vector<PlayListRecord>& records) {
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    pugi::xml_node playlist = document.append_child("playlist");
    playlist.append_attribute("version") = "1";
    playlist.append_attribute("xmlns") = "http://xspf.org/ns/0/";
    const bool anyPart = std::any_of(records.begin(), records.end(), [](const PlayListRecord& r) {
        return !VlcTimeOptions(r).empty();
    });
    if (anyPart)
        playlist.append_attribute("xmlns:vlc") = VlcApplication;
    pugi::xml_node trackList = playlist.append_child("trackList");
    for (const PlayListRecord& record : records) {
        pugi::xml_node track = trackList.append_child("track");
        track.append_child("location").text() = Location(record.Path).c_str();
        if (!record.Caption.empty())
            track.append_child("title").text() = XmlText(record.Caption).c_str();
        if (record.LengthMs >= 0)
            track.append_child("duration").text() = static_cast<long long>(record.LengthMs);
        const std::vector<std::string> options = VlcTimeOptions(record);
        if (options.empty())
            continue;
        pugi::xml_node extension = track.append_child("extension");
        extension.append_attribute("application") = VlcApplication;
        for (const std::string& option : options)
            extension.append_child("vlc:option").text() = option.c_str();
    }
    StringWriter writer;
    document.save(writer, "  ", pugi::format_default, pugi::encoding_utf8);
    return std::move(writer.text);
}
