#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What tells that a file changed: its size and its modification time. The tag cache keys
// every record by the path and this stamp, so a file rewritten in place is read again.
struct FileStamp {
    std::int64_t Size = 0;
    std::int64_t ModifiedNs = 0;  // nanoseconds since the epoch

    bool operator==(const FileStamp&) const = default;
};

// The stamp of a regular file (symbolic links followed); nullopt for anything else (missing,
// a folder, a FIFO, a device, a socket). One stat; never opens the file.
std::optional<FileStamp> StampOf(const std::string& path);
