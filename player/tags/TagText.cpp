#include "tags/TagText.h"

#include <array>
#include <cstdint>

#include "textfile/TextEncoding.h"

namespace {

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::string Windows1252Text(std::string_view bytes) {
    // 0x80..0x9F; 0xFFFD where the code page defines nothing.
    static constexpr std::array<char32_t, 32> high = {
        0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
    std::string out;
    out.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        AppendUtf8(out, b >= 0x80 && b < 0xA0 ? high[b - 0x80] : char32_t{b});
    }
    return out;
}

std::string CleanTagText(std::string_view text) {
    const std::string readable = IsValidUtf8(text) ? std::string(text) : Windows1252Text(text);
    std::string out;
    out.reserve(readable.size());
    for (const char c : readable) {
        const auto b = static_cast<unsigned char>(c);
        out += b < 0x20 || b == 0x7F ? ' ' : c;
    }
    const std::size_t first = out.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    out.erase(out.find_last_not_of(' ') + 1);
    out.erase(0, first);
    if (out.size() > MaxTagTextBytes) {
        std::size_t cut = MaxTagTextBytes;
        while (cut > 0 && IsContinuation(out[cut]))
            --cut;
        out.resize(cut);
    }
    return out;
}

int LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    std::int64_t value = 0;
    const std::size_t start = i;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > 99999)
            return 0;
    }
    return i == start ? 0 : static_cast<int>(value);
}

int YearOf(std::string_view text) {
    int run = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9') {
            if (++run == 4)
                return LeadingNumber(text.substr(i - 3, 4));
        } else {
            run = 0;
        }
    }
    return 0;
}
