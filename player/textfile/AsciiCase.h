#pragma once

#include <string>
#include <string_view>

// Letter case of ASCII letters only, for names and keywords that other programs write in any
// case (extensions, URI schemes, section names). Bytes outside A-Z and a-z are left as they
// are, so UTF-8 and Windows-1252 text passes through unchanged. Any thread.

inline char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string AsciiLowercase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = AsciiLower(c);
    return lower;
}

inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    return true;
}
