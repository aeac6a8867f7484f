#pragma once

#include <cstddef>
#include <string_view>

// Reads the lines of a play list as other programs write them: a line ends at CR LF, at CR
// alone or at LF alone; a UTF-8 byte-order mark at the very start is skipped; a Ctrl-Z (26)
// ends the file wherever it stands; a line read past the end is empty. The bytes are not
// copied: they must outlive the reader and every line it returned. The configuration and the
// filter list keep their own rules (TextLineReader, ParseStringList).
class ListLineReader {
public:
    explicit ListLineReader(std::string_view bytes);

    // The next line without its line end; "" once the end is reached.
    std::string_view ReadLine();
    // True when no character is left before the end (or before a Ctrl-Z).
    bool Eof() const { return pos_ >= bytes_.size(); }

private:
    std::string_view bytes_;  // cut at the first Ctrl-Z
    std::size_t pos_ = 0;
};

// text without the blanks (spaces and tabs) at either end; "" when it holds nothing else.
std::string_view TrimBlanks(std::string_view text);
