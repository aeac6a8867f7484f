#include "textfile/TextLineReader.h"

#include "textfile/FileBytes.h"

namespace {
constexpr char kCtrlZ = 26;
}

TextLineReader::TextLineReader(std::string bytes) : bytes_(std::move(bytes)) {
    const std::size_t ctrlZ = bytes_.find(kCtrlZ);
    end_ = ctrlZ == std::string::npos ? bytes_.size() : ctrlZ;
}

TextLineReader TextLineReader::FromFile(const std::string& path) {
    return TextLineReader(ReadFileBytes(path));
}

std::string TextLineReader::ReadLine() {
    if (Eof())
        return {};
    std::size_t cr = bytes_.find('\r', pos_);
    if (cr == std::string::npos || cr > end_)
        cr = end_;
    std::string line = bytes_.substr(pos_, cr - pos_);
    pos_ = cr;
    if (pos_ < end_) {  // at the CR
        ++pos_;
        if (pos_ < end_ && bytes_[pos_] == '\n')
            ++pos_;
    }
    return line;
}
