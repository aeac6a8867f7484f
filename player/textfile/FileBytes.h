#pragma once

#include <string>

// Reads a whole file, byte for byte. Throws EInOutError with the runtime's text when the file
// cannot be opened or read ("File not found", "File access denied", ...). Blocks.
std::string ReadFileBytes(const std::string& path);
