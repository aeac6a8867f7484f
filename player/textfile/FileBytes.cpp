#include "textfile/FileBytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "textfile/FileErrors.h"

namespace {

struct FdCloser {
    int fd;
    ~FdCloser() { ::close(fd); }
};

// Only a regular file can be read whole: a FIFO or terminal waits for a writer, a device such
// as /dev/zero never ends.
void RequireRegular(const struct stat& info) {
    if (S_ISDIR(info.st_mode))
        throw EInOutError(EISDIR);
    if (!S_ISREG(info.st_mode))
        throw EInOutError(EACCES);
}

}  // namespace

std::string ReadFileBytes(const std::string& path, std::uint64_t limit) {
    // A look before the open: opening some devices does something by itself.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        throw EInOutError(errno);
    RequireRegular(info);
    // Without blocking, in case the name was swapped for a FIFO since the look.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        throw EInOutError(errno);
    const FdCloser closer{fd};
    if (::fstat(fd, &info) != 0)
        throw EInOutError(errno);
    RequireRegular(info);
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size > limit)
        throw EFileTooLarge(path, limit);

    std::string bytes;
    bytes.resize(static_cast<std::size_t>(size));
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            // At the size seen; a file that grew since is read on in small steps, to the limit.
            if (done >= limit + 1)
                throw EFileTooLarge(path, limit);
            bytes.resize(done + std::min<std::uint64_t>(64 * 1024, limit + 1 - done));
        }
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw EInOutError(errno);
        }
        done += static_cast<std::size_t>(n);
    }
    if (done > limit)
        throw EFileTooLarge(path, limit);
    bytes.resize(done);
    return bytes;
}
