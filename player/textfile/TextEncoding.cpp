#include "textfile/TextEncoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <stdexcept>

namespace {

// One iconv descriptor per call: opening costs microseconds, and only lines that are not
// UTF-8 come here, so a shared (and locked) descriptor would buy nothing.
class Iconv {
public:
    Iconv(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        if (handle_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("No text converter from ") + from + " to " + to);
    }
    ~Iconv() { iconv_close(handle_); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    // Converts one byte; false when the code page does not define it.
    bool Convert(char byte, std::string& out) {
        char in[1] = {byte};
        char buffer[8];
        char* inPtr = in;
        std::size_t inLeft = 1;
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        if (iconv(handle_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
            return false;
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        return true;
    }

private:
    iconv_t handle_;
};

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

}  // namespace

bool IsValidUtf8(std::string_view text) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        const std::uint8_t c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int length = 0;
        std::uint32_t code = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
            code = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            code = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            code = c & 0x07;
        } else {
            return false;
        }
        if (end - p < length)
            return false;
        for (int i = 1; i < length; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (p[i] & 0x3F);
        }
        if ((length == 3 && code < 0x800) || (length == 4 && code < 0x10000) || code > 0x10FFFF ||
            (code >= 0xD800 && code <= 0xDFFF))
            return false;
        p += length;
    }
    return true;
}

std::string Windows1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    Iconv converter("UTF-8", "WINDOWS-1252");
    for (const char byte : text) {
        if (static_cast<unsigned char>(byte) < 0x80)
            out += byte;
        else if (!converter.Convert(byte, out))
            out += kReplacement;
    }
    return out;
}

std::string ReadableText(std::string_view text) {
    if (IsValidUtf8(text))
        return std::string(text);
    try {
        return Windows1252ToUtf8(text);
    } catch (const std::runtime_error&) {
        // No converter on this system: keep the ASCII and mark the rest.
        std::string out;
        for (const char byte : text)
            out += static_cast<unsigned char>(byte) < 0x80 ? std::string(1, byte)
                                                           : std::string(kReplacement);
        return out;
    }
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
