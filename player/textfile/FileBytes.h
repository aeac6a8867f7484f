#pragma once

#include <cstdint>
#include <string>

// The largest file the player reads into memory: a play list of 256 MiB holds some two million
// entries, far more than anyone keeps, and the settings files are a few kilobytes.
inline constexpr std::uint64_t kMaxReadBytes = std::uint64_t{256} << 20;

// Reads a whole regular file (or the regular file a link names), byte for byte, holding the
// file's size once. Throws EInOutError with the runtime's text when the file cannot be opened or
// read ("File not found", "File access denied", ...); a folder, device, FIFO or socket is refused
// as "File access denied" without being read, and a FIFO or device is never waited on. A file
// larger than limit (or that grows past it while read) throws EFileTooLarge, nothing read into
// memory. Blocks on the file system, never on a writer.
std::string ReadFileBytes(const std::string& path, std::uint64_t limit = kMaxReadBytes);
