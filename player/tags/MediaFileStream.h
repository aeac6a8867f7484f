#pragma once

#include <taglib/tiostream.h>

#include <string>

// A media file opened for TagLib to read, read only. Opened without waiting (O_NONBLOCK) and
// kept only when it is a regular file, so a FIFO, a device or a socket under a media name
// never blocks a reader; TagLib never opens the path itself. Writes are refused. Owns its
// descriptor. Not shared between threads.
class MediaFileStream final : public TagLib::IOStream {
public:
    explicit MediaFileStream(const std::string& path);
    ~MediaFileStream() override;
    MediaFileStream(const MediaFileStream&) = delete;
    MediaFileStream& operator=(const MediaFileStream&) = delete;

    // The file is open: it exists, is readable and is a regular file of at least one byte.
    bool isOpen() const override { return fd_ >= 0; }

    TagLib::FileName name() const override { return path_.c_str(); }
    TagLib::ByteVector readBlock(unsigned long length) override;
    void writeBlock(const TagLib::ByteVector&) override {}
    void insert(const TagLib::ByteVector&, unsigned long, unsigned long) override {}
    void removeBlock(unsigned long, unsigned long) override {}
    bool readOnly() const override { return true; }
    void seek(long offset, Position p = Beginning) override;
    long tell() const override { return position_; }
    long length() override { return size_; }
    void truncate(long) override {}

private:
    // Reads into block from offset; the bytes got (fewer at the end or on an error).
    unsigned long ReadAt(char* block, unsigned long length, long offset) const;

    // TagLib asks for many small pieces (headers, frames, the tags at the end): one read of
    // up to ReadAhead bytes serves them, a small file whole.
    static constexpr unsigned long ReadAhead = 64 * 1024;

    std::string path_;
    std::string window_;  // bytes of the file from windowStart_ on
    long windowStart_ = 0;
    int fd_ = -1;
    long size_ = 0;  // as when opened: a file that grows meanwhile is read as it was
    long position_ = 0;
};
