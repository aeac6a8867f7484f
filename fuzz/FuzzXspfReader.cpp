// The XSPF reader over pugixml. Any bytes: records or the one format error, never a crash,
// a read past the input or a hang. Text from the input, escaped into a well-formed list,
// reads back as written.
#include "FuzzSupport.h"
#include "playlist/FileUri.h"
#include "playlist/PlayListFormatError.h"
#include "playlist/XspfReader.h"
#include "textfile/TextEncoding.h"

namespace {

// Text as XML character data: the markup characters escaped, the characters XML 1.0 does
// not allow (controls but tab and line ends) left out, and trimmed, as the reader trims.
std::string XmlText(const std::string& text, std::string& plain) {
    std::string kept;
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n')
            kept += c;
    const std::size_t first = kept.find_first_not_of(" \t\n");
    plain = first == std::string::npos
                ? std::string()
                : kept.substr(first, kept.find_last_not_of(" \t\n") - first + 1);
    std::string escaped;
    for (const char c : plain) {
        if (c == '<')
            escaped += "&lt;";
        else if (c == '&')
            escaped += "&amp;";
        else if (c == '>')
            escaped += "&gt;";
        else
            escaped += c;
    }
    return escaped;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = Bytes(data, size);
    try {
        XspfReader::Read(bytes);
    } catch (const EPlayListFormatError&) {
    }

    const std::vector<std::string> fields = Fields(bytes);
    std::string xspf =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<playlist version=\"1\" xmlns=\"http://xspf.org/ns/0/\"><trackList>\n";
    std::vector<PlayListRecord> expected;
    for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
        std::string title, unused;
        const std::string escapedTitle = XmlText(fields[i], title);
        // Locations as a program writes them: the path percent-encoded, so any byte travels.
        const std::string location = "file://" + PercentEncode("/" + fields[i + 1]);
        xspf += "<track><location>" + location + "</location><title>" + escapedTitle +
                "</title></track>\n";
        if (!IsValidUtf8(title))
            return 0;  // pugixml reads UTF-8 only here; other bytes are not XML text
        expected.push_back({title, location, PlayListRecord::Escapes::DecodedFirst});
    }
    xspf += "</trackList></playlist>\n";
    FUZZ_CHECK(XspfReader::Read(xspf) == expected);
    return 0;
}
