// Play lists and media paths as an unlucky or hostile user hands them over: devices, FIFOs,
// sockets and folders where a list is expected, lists too large to read, lists that name
// themselves or each other, and media names given to things that would hold a reader.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "fakes/FakeShellInfo.h"
#include "playlist/FileAdder.h"
#include "playlist/PlayList.h"
#include "playlist/PlayListFiles.h"
#include "support/TempDir.h"
#include "textfile/FileErrors.h"

namespace {

class HostileListTest : public ::testing::Test {
protected:
    std::string ErrorOf(const std::string& list) {
        list_.Append(PlayListEntry{"old", "", "/old.mp3", 0});
        try {
            PlayListFiles::Load(list, list_, adder_);
        } catch (const std::exception& error) {
            return error.what();
        }
        return "loaded";
    }

    TempDir dir_;
    PlayList list_;
    FakeShellInfo shell_;
    // Every type passes, play lists included, as with "m3u" typed into the type filter.
    FileAdder adder_{shell_, [](const std::string&) { return true; }};
};

TEST_F(HostileListTest, AListThatIsNoRegularFileIsRefusedWithTheReadErrorAndNeverWaitedOn) {
    const std::string fifo = dir_.File("fifo.m3u");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ErrorOf(fifo), "File access denied");  // no writer: a read would wait for ever
    EXPECT_TRUE(list_.Empty());                      // the list was emptied, as for any load

    const std::string zero = dir_.File("zero.qpl");
    ASSERT_EQ(::symlink("/dev/zero", zero.c_str()), 0);
    EXPECT_EQ(ErrorOf(zero), "File access denied");  // would never end
    EXPECT_EQ(ErrorOf("/dev/null"), "File access denied");

    const std::string folder = dir_.File("folder.qpl");
    std::filesystem::create_directory(folder);
    EXPECT_EQ(ErrorOf(folder), "File access denied");

    const std::string socketPath = dir_.File("sock.pls");
    const int listening = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(ErrorOf(socketPath), "File access denied");
    ::close(listening);
}

TEST_F(HostileListTest, AListLargerThanTheLimitIsRefusedUnread) {
    const std::string sparse = dir_.File("huge.qpl");
    const int fd = ::open(sparse.c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, std::int64_t{1} << 30), 0);  // 1 GiB, no disk
    ::close(fd);
    EXPECT_EQ(ErrorOf(sparse), "The file " + sparse + " is larger than 256 MiB and was not read.");
    EXPECT_TRUE(list_.Empty());
}

TEST_F(HostileListTest, ListsThatNameThemselvesOrEachOtherEndAtOnceAndAreNeverMedia) {
    const std::string self = dir_.File("self.m3u");
    dir_.Write("self.m3u", self + "\n");
    EXPECT_EQ(PlayListFiles::Load(self, list_, adder_), PlayListFiles::LoadOutcome::SomeFailed);
    EXPECT_TRUE(list_.Empty());

    const std::string a = dir_.File("a.qpl"), b = dir_.File("b.pls");
    dir_.Write("a.qpl", "Quavrel v2.0 PlayList File\r\nB\r\n" + b + "\r\n");
    dir_.Write("b.pls", "[playlist]\nFile1=" + a + "\nNumberOfEntries=1\n");
    EXPECT_EQ(PlayListFiles::Load(a, list_, adder_), PlayListFiles::LoadOutcome::SomeFailed);
    EXPECT_TRUE(list_.Empty());
    EXPECT_EQ(PlayListFiles::Load(b, list_, adder_), PlayListFiles::LoadOutcome::SomeFailed);
    EXPECT_TRUE(list_.Empty());

    // Nor does a folder's walk make entries of its lists.
    const std::string song = dir_.Write("music/song.mp3", "ID3");
    dir_.Write("music/mix.m3u8", song + "\n");
    EXPECT_EQ(adder_.AddFile(dir_.File("music"), list_), -1);
    ASSERT_EQ(list_.Count(), 1);
    EXPECT_EQ(list_.At(0).Path, song);
    EXPECT_EQ(adder_.AddFile(dir_.File("music/mix.m3u8"), list_), -1);
}

TEST_F(HostileListTest, MediaNamesOnThingsThatWouldHoldAReaderAreRefused) {
    const std::string fifo = dir_.File("stream.mp3");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string zero = dir_.File("zero.wav");
    ASSERT_EQ(::symlink("/dev/zero", zero.c_str()), 0);
    const std::string song = dir_.Write("song.mp3", "ID3");
    for (const std::string& path : {fifo, zero, std::string("/dev/zero"), std::string("/dev/tty")})
        EXPECT_EQ(adder_.AddFile(path, list_), -1) << path;
    EXPECT_TRUE(list_.Empty());
    // In a list, they count as failed; the rest is added.
    const std::string list = dir_.Write("list.m3u", fifo + "\n" + zero + "\n" + song + "\n");
    EXPECT_EQ(PlayListFiles::Load(list, list_, adder_), PlayListFiles::LoadOutcome::SomeFailed);
    ASSERT_EQ(list_.Count(), 1);
    EXPECT_EQ(list_.At(0).Path, song);
}

}  // namespace
