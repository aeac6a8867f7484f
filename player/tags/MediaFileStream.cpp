#include "tags/MediaFileStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

MediaFileStream::MediaFileStream(const std::string& path) : path_(path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0) {
        ::close(fd);
        return;
    }
    fd_ = fd;
    size_ = static_cast<long>(info.st_size);
}

MediaFileStream::~MediaFileStream() {
    if (fd_ >= 0)
        ::close(fd_);
}

unsigned long MediaFileStream::ReadAt(char* block, unsigned long length, long offset) const {
    unsigned long got = 0;
    while (got < length) {
        const ssize_t n = ::pread(fd_, block + got, length - got, offset + static_cast<long>(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;  // shrunk meanwhile, or an I/O error: what was read is all there is
        got += static_cast<unsigned long>(n);
    }
    return got;
}

TagLib::ByteVector MediaFileStream::readBlock(unsigned long length) {
    if (fd_ < 0 || position_ >= size_ || length == 0)
        return {};
    // Never more than the file holds: a length read from a broken header asks for gigabytes.
    // Nor past 256 MiB at once: a cover larger than that is refused anyway.
    const unsigned long wanted =
        std::min<unsigned long>({length, static_cast<unsigned long>(size_ - position_), 1UL << 28});
    const auto inWindow = [&] {
        return position_ >= windowStart_ && position_ + static_cast<long>(wanted) <=
                                                windowStart_ + static_cast<long>(window_.size());
    };
    if (!inWindow() && wanted < ReadAhead) {
        const unsigned long ahead =
            std::min<unsigned long>(ReadAhead, static_cast<unsigned long>(size_ - position_));
        window_.resize(ahead);
        window_.resize(ReadAt(window_.data(), ahead, position_));
        windowStart_ = position_;
    }
    if (inWindow()) {
        TagLib::ByteVector block(window_.data() + (position_ - windowStart_),
                                 static_cast<unsigned int>(wanted));
        position_ += static_cast<long>(wanted);
        return block;
    }
    TagLib::ByteVector block(static_cast<unsigned int>(wanted), '\0');
    const unsigned long got = ReadAt(block.data(), wanted, position_);
    block.resize(static_cast<unsigned int>(got));
    position_ += static_cast<long>(got);
    return block;
}

void MediaFileStream::seek(long offset, Position p) {
    long base = 0;
    if (p == Current)
        base = position_;
    else if (p == End)
        base = size_;
    position_ = std::max(0L, base + offset);
}
