#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// A text that should have held a number and did not: "'%s' is not a valid integer value". A text
// longer than 64 bytes is shown by its first 64 and "...".
class EConvertError : public std::runtime_error {
public:
    explicit EConvertError(const std::string& text);
};

// The standard string-to-integer conversion: leading blanks, an optional sign, then decimal
// digits, or hexadecimal ones after "$" or "0x"; nothing may follow. Throws EConvertError for
// anything else, an empty text included, and for a value outside 32 bits. Linear in the text's
// length, and stops at the first digit past 32 bits.
std::int32_t StrToInt(const std::string& text);
