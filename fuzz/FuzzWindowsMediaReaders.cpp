// The readers of Windows Media lists (.wpl, .asx) over pugixml. Any bytes: records or the one
// format error. Sources, references and titles from the input, escaped into well-formed lists
// in the letter cases those files use, read back as written.
#include "FuzzSupport.h"
#include "playlist/AsxReader.h"
#include "playlist/PlayListFormatError.h"
#include "playlist/WplReader.h"
#include "textfile/TextEncoding.h"

namespace {

// Text as XML escapes it, with what the readers make of it: controls left out, the blanks of
// an attribute value (or of element text) at either end trimmed, an attribute's line ends and
// tabs read as spaces.
std::string Escaped(const std::string& text, bool attribute, std::string& read) {
    std::string kept;
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x20)
            kept += c;
    const std::size_t first = kept.find_first_not_of(" ");
    read = first == std::string::npos ? std::string()
                                      : kept.substr(first, kept.find_last_not_of(" ") - first + 1);
    std::string escaped;
    for (const char c : kept) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += attribute ? "&quot;" : "\"";
                break;
            case '\'':
                escaped += "&apos;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = Bytes(data, size);
    for (auto* read : {&WplReader::Read, &AsxReader::Read}) {
        try {
            FUZZ_CHECK(read(bytes).size() <= size / 8 + 1);
        } catch (const EPlayListFormatError&) {
        }
    }

    const std::vector<std::string> fields = Fields(bytes);
    std::string wpl = "<?wpl version=\"1.0\"?>\r\n<smil><head><title>x</title></head><Body><seq>";
    std::string asx = "<ASX version=\"3.0\">\r\n";
    std::vector<std::pair<std::string, std::string>> expected;  // caption, path
    for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
        std::string title, path;
        const std::string escapedTitle = Escaped(fields[i], false, title);
        const std::string escapedPath = Escaped(fields[i + 1], true, path);
        if (!IsValidUtf8(title) || !IsValidUtf8(path))
            return 0;  // pugixml reads UTF-8 only here
        wpl += "<media src=\"" + escapedPath + "\"/>\r\n";
        asx += "<Entry><Title>" + escapedTitle + "</Title><REF HREF=\"" + escapedPath +
               "\"/></Entry>\r\n";
        expected.emplace_back(title, path);
    }
    wpl += "</seq></Body></smil>";
    asx += "</ASX>";
    const std::vector<PlayListRecord> fromWpl = WplReader::Read(wpl);
    const std::vector<PlayListRecord> fromAsx = AsxReader::Read(asx);
    FUZZ_CHECK(fromWpl.size() == expected.size() && fromAsx.size() == expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        FUZZ_CHECK(fromWpl[k].Path == expected[k].second && fromWpl[k].Caption.empty());
        FUZZ_CHECK(fromAsx[k].Path == expected[k].second);
        FUZZ_CHECK(fromAsx[k].Caption == expected[k].first);
    }
    return 0;
}
