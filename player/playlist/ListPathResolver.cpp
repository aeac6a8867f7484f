#include "playlist/ListPathResolver.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <vector>

#include "media/StreamText.h"
#include "playlist/FileUri.h"
#include "textfile/TextEncoding.h"

namespace fs = std::filesystem;

namespace {

bool Exists(const std::string& path) {
    std::error_code error;
    return fs::exists(path, error);
}

bool IsDrivePath(const std::string& text) {
    const bool drive = text.size() >= 2 && text[1] == ':' &&
                       ((text[0] >= 'a' && text[0] <= 'z') || (text[0] >= 'A' && text[0] <= 'Z'));
    return drive || text.starts_with('\\');
}

// Letter case folded for matching names: ASCII and the Latin-1 capitals in UTF-8 (what names
// from Western Windows code pages hold); other characters compare as they are.
std::string FoldCase(const std::string& name) {
    std::string folded = name;
    for (std::size_t i = 0; i < folded.size(); ++i) {
        auto& c = reinterpret_cast<unsigned char&>(folded[i]);
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<unsigned char>(c - 'A' + 'a');
        } else if (c == 0xC3 && i + 1 < folded.size()) {
            auto& next = reinterpret_cast<unsigned char&>(folded[i + 1]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97)  // U+00C0..U+00DE but U+00D7
                next = static_cast<unsigned char>(next + 0x20);
            ++i;
        }
    }
    return folded;
}

// True when text holds a "%XY" escape (two hexadecimal digits).
bool HasEscape(const std::string& text) {
    for (std::size_t i = text.find('%'); i != std::string::npos && i + 2 < text.size();
         i = text.find('%', i + 1))
        if (HexDigitValue(text[i + 1]) >= 0 && HexDigitValue(text[i + 2]) >= 0)
            return true;
    return false;
}

bool Names(const std::optional<std::string>& path) {
    return path && Exists(*path);
}

std::vector<std::string> Components(const std::string& relative) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= relative.size()) {
        const std::size_t slash = std::min(relative.find('/', start), relative.size());
        if (slash > start)
            parts.push_back(relative.substr(start, slash - start));
        start = slash + 1;
    }
    return parts;
}

}  // namespace

ListPathResolver::ListPathResolver(std::string listFolder, bool utf8Only)
    : folder_(std::move(listFolder)), utf8Only_(utf8Only) {}

std::string ListPathResolver::Join(const std::string& folder, const std::string& path) {
    if (path.empty() || path.front() == '/')
        return path;
    return (fs::path(folder) / path).lexically_normal().string();
}

std::optional<std::string> ListPathResolver::Resolve(const std::string& written,
                                                     PlayListRecord::Escapes escapes) const {
    using Escapes = PlayListRecord::Escapes;
    if (escapes == Escapes::AsWritten || !HasEscape(written))
        return ResolveWritten(written);
    if (escapes == Escapes::WrittenFirst) {
        // A URI says itself how it is meant; only a plain path can be either.
        std::optional<std::string> asWritten = ResolveWritten(written);
        if (HasUriScheme(written) || Names(asWritten))
            return asWritten;
        const std::string decoded = PercentDecode(written);
        std::optional<std::string> fromDecoded =
            decoded.find('\0') == std::string::npos ? ResolveWritten(decoded) : std::nullopt;
        return Names(fromDecoded) ? fromDecoded : asWritten;
    }
    // A URI reference: decoded, as its form says; some writers put raw names there all the same.
    std::optional<std::string> decoded;
    std::string raw = written;
    if (HasUriScheme(written)) {
        decoded = ResolveWritten(written);
        const std::optional<std::string> rawPath = FileUriPath(written);
        if (!rawPath)
            return decoded;
        // The path part as it stands, escapes kept.
        const std::size_t start = written.size() - written.substr(written.find(':') + 1).size();
        std::string_view rest = std::string_view(written).substr(start);
        if (rest.starts_with("//"))
            rest.remove_prefix(std::min(rest.size(), rest.find('/', 2)));
        raw = std::string(rest.substr(0, rest.find_first_of("?#")));
    } else {
        const std::string text = PercentDecode(written);
        if (text.find('\0') == std::string::npos)
            decoded = ResolveWritten(text);
    }
    if (Names(decoded))
        return decoded;
    std::optional<std::string> fromRaw = ResolveWritten(raw);
    return Names(fromRaw) ? fromRaw : decoded;
}

std::optional<std::string> ListPathResolver::ResolveWritten(const std::string& written) const {
    // An empty line must stay empty: joined, it would name the list's folder and add all of it.
    if (written.empty())
        return std::nullopt;
    // A stream's address is its own path.
    if (StreamText::IsStreamAddress(written))
        return written.find('\0') == std::string::npos ? std::optional<std::string>(written)
                                                       : std::nullopt;
    if (HasUriScheme(written)) {
        std::optional<std::string> path = FileUriPath(written);
        if (!path || path->find('\0') != std::string::npos)
            return std::nullopt;
        return path;
    }
    if (IsDrivePath(written)) {
        // No drive here; only a Linux name that happens to look like one can be meant.
        const std::string asBytes = Join(folder_, written);
        return Exists(asBytes) ? std::optional<std::string>(asBytes) : std::nullopt;
    }
    // What a Linux program writes takes no test; lists made on Windows (a "\", text that is
    // not UTF-8) are looked up.
    const bool utf8 = IsValidUtf8(written);
    if (utf8 && written.find('\\') == std::string::npos)
        return Join(folder_, written);

    std::optional<std::string> asWritten = ResolveText(written);
    if ((asWritten && Exists(*asWritten)) || utf8 || utf8Only_)
        return asWritten;
    std::optional<std::string> converted = ResolveText(Windows1252ToUtf8(written));
    if (converted && Exists(*converted))
        return converted;
    return asWritten;
}

std::optional<std::string> ListPathResolver::ResolveText(const std::string& text) const {
    if (IsDrivePath(text))
        return std::nullopt;
    const std::string asBytes = Join(folder_, text);
    if (Exists(asBytes))
        return asBytes;  // a Linux name may hold a "\"
    std::string slashed = text;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    const std::string joined = Join(folder_, slashed);
    if (joined != asBytes && Exists(joined))
        return joined;
    if (std::optional<std::string> matched = MatchIgnoringCase(slashed))
        return matched;
    return joined;
}

std::optional<std::string> ListPathResolver::MatchIgnoringCase(const std::string& relative) const {
    if (relative.starts_with('/'))
        return std::nullopt;  // only inside the list's folder
    fs::path current(folder_);
    for (const std::string& part : Components(relative)) {
        if (part == ".")
            continue;
        if (part == "..") {
            current = current.parent_path();
            continue;
        }
        std::error_code error;
        if (fs::exists(current / part, error)) {
            current /= part;
            continue;
        }
        const auto& names = FoldedNames(current.string());
        const auto found = names.find(FoldCase(part));
        if (found == names.end())
            return std::nullopt;
        current /= found->second;
    }
    return current.lexically_normal().string();
}

const std::unordered_map<std::string, std::string>& ListPathResolver::FoldedNames(
    const std::string& folder) const {
    const auto known = folders_.find(folder);
    if (known != folders_.end())
        return known->second;
    std::unordered_map<std::string, std::string>& names = folders_[folder];
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        names.emplace(FoldCase(name), name);  // the first of names equal but for case
    }
    return names;
}
