#pragma once

#include <cstddef>
#include <string>

// Reads the player's own text files (configuration, play lists) line by line, byte for byte:
// a line ends at CR, and an LF right after that CR belongs to the line end; a lone LF is no
// line end and stays in the line's text; a Ctrl-Z (26) ends the file wherever it stands; a
// line read past the end is empty. The whole file is read at construction.
class TextLineReader {
public:
    explicit TextLineReader(std::string bytes);
    // Reads the file whole. Throws EInOutError ("File not found", "File access denied", ...).
    static TextLineReader FromFile(const std::string& path);

    // The next line without its line end; "" once the end is reached.
    std::string ReadLine();
    // True when no character is left before the end (or before a Ctrl-Z).
    bool Eof() const { return pos_ >= end_; }

private:
    std::string bytes_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;  // the length, or the position of the first Ctrl-Z
};
