#pragma once

#include <string>
#include <string_view>

// The text encodings play lists come in. Linux file names and our own strings are bytes,
// UTF-8 in practice; lists made by the Windows program are in its code page, Windows-1252.
// Conversion goes through iconv. Any thread.

// True when text is well-formed UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF).
bool IsValidUtf8(std::string_view text);

// text read as Windows-1252, in UTF-8. The five bytes the code page leaves undefined become
// U+FFFD. Throws std::runtime_error only when the system has no Windows-1252 converter.
std::string Windows1252ToUtf8(std::string_view text);

// What a line of a list shows: the text as it stands when it is valid UTF-8, else read as
// Windows-1252. Never fails; the result is always valid UTF-8.
std::string ReadableText(std::string_view text);

// The value of a hexadecimal digit in either letter case; -1 for any other byte. The escapes
// of URIs ("%20") and of udev's link names ("\x20") are read with it.
int HexDigitValue(char c);
