#include "views/MaskSearch.h"

#include <algorithm>

#include "textfile/AsciiCase.h"

namespace {

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string Expand(std::string mask) {
    const bool wild = mask.find_first_of("*?.") != std::string::npos;
    if (!wild)
        return "*" + mask + "*";
    if (mask.find('.') == std::string::npos && mask.back() != '*')
        mask += '*';
    return mask;
}

}  // namespace

std::vector<std::string> ParseMaskList(std::string_view value) {
    if (value.empty())
        return {"*"};
    std::string text(value);
    std::replace(text.begin(), text.end(), ',', ';');
    if (text.back() != ';')
        text += ';';
    std::vector<std::string> masks;
    std::size_t start = 0;
    for (std::size_t semicolon = text.find(';'); semicolon != std::string::npos;
         semicolon = text.find(';', start)) {
        masks.push_back(
            Expand(AsciiLowercase(Trim(std::string_view(text).substr(start, semicolon - start)))));
        start = semicolon + 1;
    }
    // Masks are lowercase already, so a plain sort is the case-blind sort.
    std::sort(masks.begin(), masks.end());
    masks.erase(std::unique(masks.begin(), masks.end()), masks.end());
    return masks;
}

bool MatchMaskList(std::string_view name, const std::vector<std::string>& masks) {
    if (name.empty())
        return true;
    const std::string lower = AsciiLowercase(name);
    return std::any_of(masks.begin(), masks.end(),
                       [&](const std::string& mask) { return MatchMask(lower, mask); });
}

bool MatchMask(std::string_view name, std::string_view mask) {
    if (mask == "*")
        return true;
    if (mask == "*.*")
        return name.find('.') != std::string_view::npos;
    if (mask.find_first_of("*?") == std::string_view::npos)
        return name == mask;
    std::size_t pos = 0;  // in name
    bool starPending = false;
    std::size_t i = 0;  // in mask
    while (i < mask.size()) {
        const char c = mask[i];
        if (c == '?') {
            if (pos >= name.size())
                return false;
            ++pos;
            ++i;
        } else if (c == '*') {
            starPending = true;
            ++i;
        } else {
            std::size_t end = mask.find_first_of("*?", i);
            if (end == std::string_view::npos)
                end = mask.size();
            const std::string_view literal = mask.substr(i, end - i);
            if (starPending) {
                const std::size_t found = name.find(literal, pos);
                if (found == std::string_view::npos)
                    return false;
                pos = found + literal.size();
                starPending = false;
            } else {
                if (name.substr(pos, literal.size()) != literal)
                    return false;
                pos += literal.size();
            }
            i = end;
        }
    }
    return starPending || pos == name.size();
}
