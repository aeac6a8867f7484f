#include "textfile/DisplayText.h"

std::string DisplayText(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte == 0x7F) {
            shown += ' ';
            continue;
        }
        const auto next = [&](std::size_t k) {
            return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0;
        };
        if (byte == 0xC2 && next(1) >= 0x80 && next(1) <= 0x9F) {  // U+0080 to U+009F
            shown += ' ';
            ++i;
            continue;
        }
        if (byte == 0xE2 && next(1) == 0x80 && (next(2) == 0xA8 || next(2) == 0xA9)) {
            shown += ' ';  // U+2028, U+2029
            i += 2;
            continue;
        }
        if (byte == 0xE2 && ((next(1) == 0x80 && next(2) >= 0xAA && next(2) <= 0xAE) ||
                             (next(1) == 0x81 && next(2) >= 0xA6 && next(2) <= 0xA9))) {
            i += 2;  // U+202A to U+202E, U+2066 to U+2069: dropped
            continue;
        }
        shown += text[i];
    }
    return shown;
}
