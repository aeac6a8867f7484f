#include "views/DriveRoots.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

class DriveRootsTest : public ::testing::Test {
protected:
    DriveRootsTest() {
        fs::create_directories(dir_.Path() / "labels");
        dir_.Write("dev/sdb1", "");
        fs::create_symlink("../dev/sdb1", dir_.Path() / "labels" / "MY\\x20STICK");
    }

    DriveRoots Roots(const std::string& home, const std::string& mounts) const {
        return DriveRoots(home, dir_.Write("mounts", mounts), dir_.File("labels"));
    }

    TempDir dir_;
};

TEST_F(DriveRootsTest, HomeAndTheFileSystemComeFirstThenVolumesByMountPoint) {
    const std::string sdb1 = dir_.File("dev/sdb1");
    const std::string table =
        "proc /proc proc rw 0 0\n"
        "/dev/sda1 / ext4 rw 0 0\n"
        "/dev/sdc1 /mnt/data ext4 rw 0 0\n" +
        sdb1 +
        " /media/u/stick vfat rw 0 0\n"
        "server:/x /mnt/nfs nfs4 rw 0 0\n"
        "//host/s /mnt/share cifs rw 0 0\n"
        "/dev/sr0 /mnt/cd\\040rom iso9660 ro 0 0\n"
        "/dev/sdd1 /run/media/u/Backup ext4 rw 0 0\n"
        "/dev/sde1 /mnt ext4 rw 0 0\n"
        "/dev/sdf1 /mnt2/x ext4 rw 0 0\n"
        "garbage\n"
        "\n";
    const std::vector<DriveRoot> roots = Roots("/home/u", table).Read();
    const std::vector<DriveRoot> expected = {
        {"/home/u/", "Home", DriveKind::Home},
        {"/", "File System", DriveKind::FileSystem},
        {"/media/u/stick/", "MY STICK", DriveKind::Removable},
        {"/mnt/", "mnt", DriveKind::Fixed},
        {"/mnt/cd rom/", "cd rom", DriveKind::Removable},
        {"/mnt/data/", "data", DriveKind::Fixed},
        {"/mnt/nfs/", "nfs", DriveKind::Network},
        {"/mnt/share/", "share", DriveKind::Network},
        {"/run/media/u/Backup/", "Backup", DriveKind::Removable},
    };
    EXPECT_EQ(roots, expected);
}

TEST_F(DriveRootsTest, TheLastMountOnAPointWinsAndNoRootComesTwice) {
    const std::string table =
        "/dev/a /mnt/x ext4 rw 0 0\n"
        "srv:/y /mnt/x/ nfs rw 0 0\n";
    const std::vector<DriveRoot> roots = Roots("/", table).Read();
    ASSERT_EQ(roots.size(), 2u);  // a home of "/" is the file system itself
    EXPECT_EQ(roots[0], (DriveRoot{"/", "Home", DriveKind::Home}));
    EXPECT_EQ(roots[1], (DriveRoot{"/mnt/x/", "x", DriveKind::Network}));
}

TEST_F(DriveRootsTest, AnUnreadableMountTableGivesTheTwoFixedRoots) {
    const DriveRoots roots("/home/u", dir_.File("none"), dir_.File("none"));
    EXPECT_EQ(roots.Read().size(), 2u);
}

TEST_F(DriveRootsTest, TheTrashFollowsXdgDataHome) {
    const char* saved = std::getenv("XDG_DATA_HOME");
    const std::string before = saved ? saved : "";
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("XDG_DATA_HOME", "/data/u", 1);
    EXPECT_EQ(DriveRoots::HomeTrash(), "/data/u/Trash/");
    setenv("XDG_DATA_HOME", "", 1);
    setenv("HOME", "/home/t", 1);
    EXPECT_EQ(DriveRoots::HomeTrash(), "/home/t/.local/share/Trash/");
    setenv("HOME", home.c_str(), 1);
    if (saved)
        setenv("XDG_DATA_HOME", before.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

}  // namespace
