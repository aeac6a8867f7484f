#pragma once

#include <string>
#include <string_view>

#include "textfile/SaveFile.h"

// Writes the player's own text files line by line, every line ended by CR LF (bytes passed
// through unchanged), through SaveFile: the old file is replaced only by Commit, whole; a
// writer destroyed without Commit leaves the old file as it was. Errors are EInOutError.
class TextLineWriter {
public:
    explicit TextLineWriter(std::string path) : file_(std::move(path)) {}

    void WriteLine(std::string_view text);
    void Commit() { file_.Commit(); }

private:
    SaveFile file_;
};
