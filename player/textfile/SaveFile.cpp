#include "textfile/SaveFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "textfile/FileErrors.h"

namespace {

constexpr std::size_t kBufferLimit = 64 * 1024;
constexpr int kMaxLinkDepth = 40;  // as the kernel's own limit on link chains

// Follows a chain of symbolic links to the file it ends at (which need not exist yet).
std::string FollowLinks(const std::string& path) {
    std::filesystem::path current = path;
    for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
        std::error_code error;
        if (!std::filesystem::is_symlink(current, error))
            return current.string();
        const std::filesystem::path target = std::filesystem::read_symlink(current, error);
        if (error)
            throw EInOutError(error.value());
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    throw EInOutError(ELOOP);
}

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

}  // namespace

SaveFile::SaveFile(std::string path) : path_(std::move(path)) {
    target_ = FollowLinks(path_);
    const std::filesystem::path target(target_);
    std::filesystem::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0)
        throw EInOutError(errno);
    tempPath_ = pattern;

    struct stat old {};
    if (::stat(target_.c_str(), &old) == 0) {
        if (!S_ISREG(old.st_mode)) {
            Discard();
            throw EInOutError(EISDIR);
        }
        // The owner is best effort: an ordinary user cannot give a file to someone else.
        [[maybe_unused]] const int owned = ::fchown(fd_, old.st_uid, old.st_gid);
        ::fchmod(fd_, old.st_mode & 07777);
    } else {
        ::fchmod(fd_, 0666 & ~CurrentUmask());
    }
}

SaveFile::~SaveFile() {
    Discard();
}

void SaveFile::Write(std::string_view bytes) {
    if (fd_ < 0)
        throw EInOutError(EBADF);
    buffer_.append(bytes);
    if (buffer_.size() >= kBufferLimit)
        Flush();
}

void SaveFile::Flush() {
    std::size_t done = 0;
    while (done < buffer_.size()) {
        const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            Discard();
            throw EInOutError(error);
        }
        done += static_cast<std::size_t>(n);
    }
    buffer_.clear();
}

void SaveFile::Commit() {
    if (fd_ < 0)
        throw EInOutError(EBADF);
    Flush();
    if (::fsync(fd_) != 0 || ::close(fd_) != 0) {
        const int error = errno;
        fd_ = -1;
        Discard();
        throw EInOutError(error);
    }
    fd_ = -1;
    if (::rename(tempPath_.c_str(), target_.c_str()) != 0) {
        const int error = errno;
        Discard();
        throw EInOutError(error);
    }
    tempPath_.clear();
    // Make the rename itself durable; a folder that cannot be synced is no reason to fail.
    std::filesystem::path folder = std::filesystem::path(target_).parent_path();
    const int dir =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

void SaveFile::Discard() noexcept {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!tempPath_.empty())
        ::unlink(tempPath_.c_str());
    tempPath_.clear();
    buffer_.clear();
}

namespace {

// ".NAME." followed by the six characters mkostemp puts in place of "XXXXXX".
bool IsTempNameOf(std::string_view file, std::string_view name) {
    constexpr std::size_t kRandom = 6;
    if (file.size() != name.size() + 2 + kRandom || file[0] != '.' ||
        file.substr(1, name.size()) != name || file[name.size() + 1] != '.')
        return false;
    for (const char c : file.substr(name.size() + 2)) {
        const bool alnum =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alnum)
            return false;
    }
    return true;
}

}  // namespace

int RemoveLeftoverSaveFiles(const std::string& folder, const std::vector<std::string>& names) {
    int removed = 0;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string file = it->path().filename().string();
        for (const std::string& name : names) {
            std::error_code typeError;
            if (IsTempNameOf(file, name) &&
                it->symlink_status(typeError).type() == std::filesystem::file_type::regular) {
                std::error_code removeError;
                removed += std::filesystem::remove(it->path(), removeError) ? 1 : 0;
                break;
            }
        }
    }
    return removed;
}
