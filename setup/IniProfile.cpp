#include "IniProfile.h"

#include <cstdio>
#include <optional>
#include <string_view>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    }
    return true;
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::string Cut(std::string_view value, std::size_t bufferSize) {
    if (bufferSize == 0)
        return {};
    return std::string(value.substr(0, bufferSize - 1));
}

// The file's bytes, or none when it cannot be read (missing, a folder, no permission).
std::optional<std::string> ReadWhole(const std::string& fileName) {
    std::FILE* file = std::fopen(fileName.c_str(), "rb");
    if (!file)
        return std::nullopt;
    std::string bytes;
    char block[4096];
    std::size_t got;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0)
        bytes.append(block, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return std::nullopt;
    return bytes;
}

// The value of the first key named `key` in the first section named `section`, if any.
std::optional<std::string_view> Find(std::string_view text, std::string_view section,
                                     std::string_view key) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);

    bool seenSection = false;  // the first section of the name has begun
    bool inSection = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", pos);
        std::string_view line = Trim(
            text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos));
        if (end == std::string_view::npos) {
            pos = text.size();
        } else {
            pos = end + 1;
            if (text[end] == '\r' && pos < text.size() && text[pos] == '\n')
                ++pos;
        }
        if (line.empty())
            continue;

        if (line.front() == '[') {
            const std::size_t close = line.rfind(']');
            if (close != std::string_view::npos) {
                if (inSection)
                    return std::nullopt;  // only the first section of the name counts
                inSection = !seenSection && SameName(Trim(line.substr(1, close - 1)), section);
                seenSection = seenSection || inSection;
                continue;
            }
            // Without its "]" the line is no section header; it is read as a key line.
        }
        if (!inSection)
            continue;
        const std::size_t equals = line.find('=');
        const std::string_view name =
            Trim(equals == std::string_view::npos ? line : line.substr(0, equals));
        if (!SameName(name, key))
            continue;
        if (equals == std::string_view::npos)
            return std::nullopt;  // a key without a value gives the default
        return Unquote(Trim(line.substr(equals + 1)));
    }
    return std::nullopt;
}

}  // namespace

std::string IniProfile::ReadString(const std::string& section, const std::string& key,
                                   const std::string& defaultValue, std::size_t bufferSize,
                                   const std::string& fileName) {
    if (const std::optional<std::string> text = ReadWhole(fileName)) {
        if (const std::optional<std::string_view> value = Find(*text, section, key))
            return Cut(*value, bufferSize);
    }
    std::string_view fallback = defaultValue;
    while (!fallback.empty() && fallback.back() == ' ')
        fallback.remove_suffix(1);
    return Cut(fallback, bufferSize);
}
