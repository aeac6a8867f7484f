#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// The errors of reading and writing the player's files, each carrying the text the user reads.
// A handler lets them escape; the main window's guard shows the text in a message box.

// An input/output error of the runtime: "File not found", "File access denied", "Disk full",
// "I/O error %d" and the like. Made from the errno value of the failing call.
class EInOutError : public std::runtime_error {
public:
    explicit EInOutError(int errorCode);
    int ErrorCode() const { return errorCode_; }

    // The user's text for an errno value, e.g. EACCES -> "File access denied".
    static std::string Text(int errorCode);

private:
    int errorCode_;
};

// "Cannot open file %s": a file that exists could not be opened for reading (the filter list).
class EFOpenError : public std::runtime_error {
public:
    explicit EFOpenError(const std::string& path);
};

// A file larger than the player reads into memory: "The file %s is larger than 256 MiB and
// was not read." (the limit in MiB).
class EFileTooLarge : public std::runtime_error {
public:
    EFileTooLarge(const std::string& path, std::uint64_t limitBytes);
};

// "Cannot create file %s": a file could not be written (the filter list).
class EFCreateError : public std::runtime_error {
public:
    explicit EFCreateError(const std::string& path);
};
