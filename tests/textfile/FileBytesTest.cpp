#include "textfile/FileBytes.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "support/TempDir.h"
#include "textfile/FileErrors.h"

namespace {

std::string ErrorOf(const std::string& path, std::uint64_t limit = kMaxReadBytes) {
    try {
        ReadFileBytes(path, limit);
    } catch (const std::exception& error) {
        return error.what();
    }
    return "read";
}

TEST(FileBytesTest, ReadsARegularFileAndOneThroughALink) {
    TempDir dir;
    const std::string file = dir.Write("list.m3u", std::string("a\0b\r\n", 5));
    EXPECT_EQ(ReadFileBytes(file), std::string("a\0b\r\n", 5));
    const std::string link = dir.File("link.m3u");
    ASSERT_EQ(::symlink(file.c_str(), link.c_str()), 0);
    EXPECT_EQ(ReadFileBytes(link), std::string("a\0b\r\n", 5));
    EXPECT_EQ(ReadFileBytes(dir.Write("empty", "")), "");
    EXPECT_EQ(ErrorOf(dir.File("missing")), "File not found");
}

// None of these may be read: each would wait for ever or never end.
TEST(FileBytesTest, RefusesFoldersDevicesFifosAndSocketsWithoutWaiting) {
    TempDir dir;
    const std::string fifo = dir.File("fifo.m3u");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ErrorOf(fifo), "File access denied");  // no writer: a read would wait
    EXPECT_EQ(ErrorOf("/dev/zero"), "File access denied");
    EXPECT_EQ(ErrorOf(dir.Path().string()), "File access denied");
    const std::string linkToDevice = dir.File("zero.qpl");
    ASSERT_EQ(::symlink("/dev/zero", linkToDevice.c_str()), 0);
    EXPECT_EQ(ErrorOf(linkToDevice), "File access denied");

    const std::string socketPath = dir.File("sock.pls");
    const int listening = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::listen(listening, 1);
    EXPECT_EQ(ErrorOf(socketPath), "File access denied");
    ::close(listening);
}

TEST(FileBytesTest, AFileOverTheLimitIsRefusedUnread) {
    TempDir dir;
    const std::string file = dir.Write("big.qpl", std::string(1001, 'x'));
    EXPECT_EQ(ReadFileBytes(file, 1001).size(), 1001u);
    EXPECT_EQ(ErrorOf(file, 1000), "The file " + file + " is larger than 0 MiB and was not read.");
    // A sparse file of 64 GiB costs no disk and must cost no memory.
    const std::string sparse = dir.File("sparse.m3u");
    const int fd = ::open(sparse.c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, std::int64_t{64} << 30), 0);
    ::close(fd);
    EXPECT_EQ(ErrorOf(sparse), "The file " + sparse + " is larger than 256 MiB and was not read.");
}

}  // namespace
