#include "filter/FileTypeFilter.h"

#include <filesystem>

#include "textfile/AsciiCase.h"
#include "textfile/FileErrors.h"
#include "textfile/StringListFile.h"
#include "textfile/TextEncoding.h"

const std::vector<std::string>& DefaultFilterList() {
    // The 17 types of the Windows program, in their order, then the ones libmpv plays that
    // Linux users keep.
    static const std::vector<std::string> defaults{
        "wav",  "mid", "midi", "mpeg", "au",  "rmi",  "mp2",  "mp3", "avi",  "mov", "movie", "aif",
        "aiff", "m1v", "icv",  "lma",  "la",  "flac", "ogg",  "oga", "opus", "m4a", "aac",   "wma",
        "mka",  "wv",  "ape",  "mp4",  "m4v", "mkv",  "webm", "wmv", "ogv",  "mpg", "3gp",   "flv"};
    return defaults;
}

bool PassesFilter(std::string_view path, const std::vector<std::string>* filterList,
                  std::uint8_t filteringOn) {
    if (filteringOn != 1)
        return true;
    if (path.size() < 2 || filterList == nullptr)
        return false;
    const std::size_t dot = path.rfind('.', path.size() - 2);
    if (dot == std::string_view::npos)
        return false;
    const std::string_view extension = path.substr(dot + 1);
    for (const std::string& entry : *filterList) {
        if (EqualsIgnoringAsciiCase(entry, extension))
            return true;
    }
    return false;
}

bool IsFilterEntry(std::string_view line) {
    if (line.empty() || line.size() > kMaxFilterEntryBytes || !IsValidUtf8(line))
        return false;
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '/' || c == '\\')
            return false;
    }
    return true;
}

void LoadFilterFile(const std::string& path, std::vector<std::string>& list) {
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        std::size_t kept = 0;
        list = LoadStringList(path, [&kept](std::string_view line) {
            return kept < kMaxFilterEntries && IsFilterEntry(line) && ++kept;
        });
    }
    if (list.empty())
        list = DefaultFilterList();
}

void SaveFilterFile(const std::string& path, const std::vector<std::string>& list) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code error;
    if (!folder.empty())
        std::filesystem::create_directories(folder, error);
    SaveStringList(path, list);
}
