#include "media/StreamText.h"

#include <algorithm>

#include "textfile/AsciiCase.h"
#include "textfile/TextEncoding.h"

namespace StreamText {

bool IsStreamAddress(std::string_view path) {
    for (std::string_view scheme : {std::string_view("http://"), std::string_view("https://")})
        if (path.size() > scheme.size() &&
            EqualsIgnoringAsciiCase(path.substr(0, scheme.size()), scheme))
            return true;
    return false;
}

namespace {

// Length of the UTF-8 sequence starting with lead (valid text assumed).
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    return 2;
}

}  // namespace

std::string Clean(std::string_view raw, std::size_t limit) {
    const std::string text = IsValidUtf8(raw) ? std::string(raw) : Windows1252ToUtf8(raw);
    std::string out;
    out.reserve(std::min(text.size(), limit));
    bool blank = true;  // drops leading blanks and repeats
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = std::min(SequenceLength(lead), text.size() - at);
        // C0 controls, DEL and the C1 controls (U+0080..U+009F, encoded C2 80..C2 9F).
        const bool control =
            lead < 0x20 || lead == 0x7F ||
            (lead == 0xC2 && length == 2 && static_cast<unsigned char>(text[at + 1]) < 0xA0);
        if (control || lead == ' ') {
            if (!blank && out.size() < limit)
                out += ' ';
            blank = true;
        } else {
            if (out.size() + length > limit)
                break;
            out.append(text, at, length);
            blank = false;
        }
        at += length;
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

std::string StationAndTitle(std::string_view station, std::string_view title, std::size_t limit) {
    const std::string name = Clean(station, limit);
    const std::string now = Clean(title, limit);
    if (name.empty() || now.empty())
        return name.empty() ? now : name;
    return Clean(name + " - " + now, limit);
}

}  // namespace StreamText
