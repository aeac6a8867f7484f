#include "textfile/StringListFile.h"

#include "textfile/FileBytes.h"
#include "textfile/FileErrors.h"
#include "textfile/TextLineWriter.h"

void ForEachStringListLine(std::string_view bytes,
                           const std::function<void(std::string_view)>& take) {
    const std::size_t nul = bytes.find('\0');
    if (nul != std::string_view::npos)
        bytes = bytes.substr(0, nul);
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = bytes.size();
        take(bytes.substr(pos, end - pos));
        pos = end + 1;  // past the CR or LF
        if (end < bytes.size() && bytes[end] == '\r' && pos < bytes.size() && bytes[pos] == '\n')
            ++pos;
    }
}

std::vector<std::string> ParseStringList(std::string_view bytes) {
    std::vector<std::string> lines;
    ForEachStringListLine(bytes, [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

std::vector<std::string> LoadStringList(const std::string& path,
                                        const std::function<bool(std::string_view)>& keep) {
    std::string bytes;
    try {
        bytes = ReadFileBytes(path);
    } catch (const EInOutError&) {
        throw EFOpenError(path);
    } catch (const EFileTooLarge&) {
        throw EFOpenError(path);
    }
    std::vector<std::string> lines;
    ForEachStringListLine(bytes, [&](std::string_view line) {
        if (!keep || keep(line))
            lines.emplace_back(line);
    });
    return lines;
}

void SaveStringList(const std::string& path, const std::vector<std::string>& lines) {
    try {
        TextLineWriter writer(path);
        for (const std::string& line : lines)
            writer.WriteLine(line);
        writer.Commit();
    } catch (const EInOutError&) {
        throw EFCreateError(path);
    }
}
