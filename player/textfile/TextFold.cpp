#include "textfile/TextFold.h"

#include <algorithm>
#include <cstdint>

namespace {

// The length of the UTF-8 sequence at text[i] and its code point, or 0 when the bytes there
// are not a valid (shortest-form) sequence.
std::size_t Decode(std::string_view text, std::size_t i, char32_t& code) {
    const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[i + k]); };
    const std::uint8_t lead = byte(0);
    std::size_t length = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
        least = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(k) & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

const char* FoldedForm(char32_t code) {
    const TextFoldRow* end = kTextFoldRows + kTextFoldRowCount;
    const TextFoldRow* row = std::lower_bound(
        kTextFoldRows, end, code, [](const TextFoldRow& r, char32_t c) { return r.from < c; });
    return row != end && row->from == code ? row->to : nullptr;
}

}  // namespace

void AppendFolded(std::string& out, std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (static_cast<std::uint8_t>(c) < 0x80) {
            out += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
            ++i;
            continue;
        }
        char32_t code = 0;
        const std::size_t length = Decode(text, i, code);
        if (length == 0) {
            out += c;
            ++i;
            continue;
        }
        if (const char* folded = FoldedForm(code))
            out += folded;
        else
            out.append(text.data() + i, length);
        i += length;
    }
}

std::string FoldForSearch(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendFolded(out, text);
    return out;
}
