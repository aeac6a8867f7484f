#include "config/StrToInt.h"

namespace {

// A message box shows the text it is given whole: a line of ten million digits would take
// minutes to lay out. The start of the line says which one it was.
constexpr std::size_t kShownBytes = 64;

std::string Shown(const std::string& text) {
    if (text.size() <= kShownBytes)
        return text;
    std::size_t cut = kShownBytes;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;  // not inside a UTF-8 character
    return text.substr(0, cut) + "...";
}

}  // namespace

EConvertError::EConvertError(const std::string& text)
    : std::runtime_error("'" + Shown(text) + "' is not a valid integer value") {}

std::int32_t StrToInt(const std::string& text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    int base = 10;
    if (at < text.size() && text[at] == '$') {
        base = 16;
        ++at;
    } else if (at + 1 < text.size() && text[at] == '0' &&
               (text[at + 1] == 'x' || text[at + 1] == 'X')) {
        base = 16;
        at += 2;
    }
    if (at == text.size())
        throw EConvertError(text);
    std::int64_t value = 0;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            throw EConvertError(text);
        value = value * base + digit;
        // Hexadecimal reaches the whole 32 bits ("$FFFFFFFF" is -1), decimal only the signed range.
        if (value > (base == 16 ? 0xFFFFFFFFLL : 0x80000000LL))
            throw EConvertError(text);
    }
    if (base == 16) {
        const auto bits = static_cast<std::uint32_t>(value);
        return static_cast<std::int32_t>(negative ? 0u - bits : bits);
    }
    if (negative)
        return static_cast<std::int32_t>(-value);
    if (value > 0x7FFFFFFFLL)
        throw EConvertError(text);
    return static_cast<std::int32_t>(value);
}
