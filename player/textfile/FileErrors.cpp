#include "textfile/FileErrors.h"

#include <cerrno>

EInOutError::EInOutError(int errorCode)
    : std::runtime_error(Text(errorCode)), errorCode_(errorCode) {}

std::string EInOutError::Text(int errorCode) {
    switch (errorCode) {
        case ENOENT:
            return "File not found";
        case ENOTDIR:
            return "Path not found";
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
            return "File access denied";
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return "Disk full";
        case EMFILE:
        case ENFILE:
            return "Too many open files";
        default:
            return "I/O error " + std::to_string(errorCode);
    }
}

EFOpenError::EFOpenError(const std::string& path)
    : std::runtime_error("Cannot open file " + path) {}

EFCreateError::EFCreateError(const std::string& path)
    : std::runtime_error("Cannot create file " + path) {}

EFileTooLarge::EFileTooLarge(const std::string& path, std::uint64_t limitBytes)
    : std::runtime_error("The file " + path + " is larger than " +
                         std::to_string(limitBytes >> 20) + " MiB and was not read.") {}
