#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// A text that should have held a number and did not: "'%s' is not a valid integer value".
class EConvertError : public std::runtime_error {
public:
    explicit EConvertError(const std::string& text);
};

// The standard string-to-integer conversion: leading blanks, an optional sign, then decimal
// digits, or hexadecimal ones after "$" or "0x"; nothing may follow. Throws EConvertError for
// anything else, an empty text included, and for a value outside 32 bits.
std::int32_t StrToInt(const std::string& text);
