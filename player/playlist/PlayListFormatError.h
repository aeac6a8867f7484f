#pragma once

#include <stdexcept>
#include <string>

// A play list file whose form is broken beyond single entries (XML that is not well-formed, a
// PLS file without its section), carrying the text the user reads. The load then adds nothing.
class EPlayListFormatError : public std::runtime_error {
public:
    explicit EPlayListFormatError(const std::string& text) : std::runtime_error(text) {}
};
