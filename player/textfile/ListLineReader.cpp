#include "textfile/ListLineReader.h"

namespace {
constexpr char kCtrlZ = 26;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
}  // namespace

ListLineReader::ListLineReader(std::string_view bytes) : bytes_(bytes) {
    bytes_ = bytes_.substr(0, bytes_.find(kCtrlZ));
    if (bytes_.starts_with(kUtf8Bom))
        pos_ = kUtf8Bom.size();
}

std::string_view ListLineReader::ReadLine() {
    if (Eof())
        return {};
    std::size_t end = bytes_.find_first_of("\r\n", pos_);
    if (end == std::string_view::npos)
        end = bytes_.size();
    const std::string_view line = bytes_.substr(pos_, end - pos_);
    pos_ = end;
    if (pos_ < bytes_.size()) {
        const bool cr = bytes_[pos_] == '\r';
        ++pos_;
        if (cr && pos_ < bytes_.size() && bytes_[pos_] == '\n')
            ++pos_;
    }
    return line;
}

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}
