#pragma once

#include <algorithm>
#include <string>

#include "textfile/AsciiCase.h"

// The directory tree's order of folder names: without regard to (ASCII) case. Linux keeps
// "Music" and "music" apart, so both stay, in byte order, rather than one hiding the other.
// Bytes compare as unsigned, so UTF-8 names come after ASCII ones. Any thread.
inline bool FolderNameLess(const std::string& a, const std::string& b) {
    const auto mismatch = std::mismatch(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return AsciiLower(x) == AsciiLower(y);
    });
    if (mismatch.first == a.end() || mismatch.second == b.end()) {
        if (a.size() != b.size())
            return a.size() < b.size();
        return a < b;
    }
    return static_cast<unsigned char>(AsciiLower(*mismatch.first)) <
           static_cast<unsigned char>(AsciiLower(*mismatch.second));
}
