#include "textfile/SaveFile.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <csignal>
#include <filesystem>

#include "support/TempDir.h"
#include "textfile/FileErrors.h"
#include "textfile/TextLineWriter.h"

namespace fs = std::filesystem;

namespace {

class SaveFileTest : public ::testing::Test {
protected:
    // Names in the folder, so a test can see that no temporary file was left behind.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_.Path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDir dir_;
};

TEST_F(SaveFileTest, WritesANewFileAndReplacesAnOldOne) {
    const std::string path = dir_.File("Qvrl.ini");
    {
        TextLineWriter writer(path);
        writer.WriteLine("Quavrel v2.0 ConfigFile");
        writer.WriteLine("");
        writer.Commit();
    }
    EXPECT_EQ(TempDir::Read(path), "Quavrel v2.0 ConfigFile\r\n\r\n");
    SaveFile file(path);
    file.Write("new");
    file.Commit();
    EXPECT_EQ(TempDir::Read(path), "new");
    EXPECT_EQ(Names(), std::vector<std::string>{"Qvrl.ini"});
}

TEST_F(SaveFileTest, LeavesTheOldFileWholeWhenNotCommitted) {
    const std::string path = dir_.Write("list.qpl", "old contents");
    {
        SaveFile file(path);
        file.Write(std::string(200000, 'x'));  // more than the buffer: part reaches the disk
    }
    EXPECT_EQ(TempDir::Read(path), "old contents");
    EXPECT_EQ(Names(), std::vector<std::string>{"list.qpl"});
}

TEST_F(SaveFileTest, KeepsTheOldFileWholeOnAFullDisk) {
    const std::string path = dir_.Write("list.qpl", "old contents");
    // A file size limit makes writes fail as a full disk does, without a special file system.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit tiny = saved;
    tiny.rlim_cur = 16;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
    std::string message;
    try {
        SaveFile file(path);
        file.Write(std::string(1000, 'x'));
        file.Commit();
    } catch (const EInOutError& error) {
        message = error.what();
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(message, "Disk full");
    EXPECT_EQ(TempDir::Read(path), "old contents");
    EXPECT_EQ(Names(), std::vector<std::string>{"list.qpl"});
}

TEST_F(SaveFileTest, RefusesAFolderThatTakesNoTemporaryFile) {
    const std::string path = dir_.Write("ro/Qvrl.flt", "wav\r\n");
    fs::permissions(dir_.Path() / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    if (::access((dir_.Path() / "ro").c_str(), W_OK) == 0)
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    try {
        SaveFile file(path);
        FAIL() << "a temporary file was made in a read-only folder";
    } catch (const EInOutError& error) {
        EXPECT_STREQ(error.what(), "File access denied");
    }
    EXPECT_EQ(TempDir::Read(path), "wav\r\n");
}

TEST_F(SaveFileTest, RefusesAMissingFolderAndAFolderInPlaceOfTheFile) {
    EXPECT_THROW(SaveFile(dir_.File("none/Qvrl.ini")), EInOutError);
    fs::create_directory(dir_.Path() / "taken");
    EXPECT_THROW(SaveFile(dir_.File("taken")), EInOutError);
    EXPECT_TRUE(fs::is_directory(dir_.Path() / "taken"));
    EXPECT_EQ(Names(), std::vector<std::string>{"taken"});
}

TEST_F(SaveFileTest, KeepsTheOldFilesPermissions) {
    const std::string path = dir_.Write("list.m3u", "old");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    SaveFile file(path);
    file.Write("new");
    file.Commit();
    EXPECT_EQ(fs::status(path).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(SaveFileTest, GivesANewFileTheUsualCreatePermissions) {
    const mode_t mask = ::umask(022);
    SaveFile file(dir_.File("new.qpl"));
    file.Write("x");
    file.Commit();
    ::umask(mask);
    struct stat info {};
    ASSERT_EQ(::stat(dir_.File("new.qpl").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST_F(SaveFileTest, FollowsASymbolicLinkToItsTarget) {
    const std::string target = dir_.Write("real/default.qpl", "old");
    fs::create_symlink("real/default.qpl", dir_.Path() / "link.qpl");
    SaveFile file(dir_.File("link.qpl"));
    file.Write("new");
    file.Commit();
    EXPECT_TRUE(fs::is_symlink(dir_.Path() / "link.qpl"));
    EXPECT_EQ(TempDir::Read(target), "new");
}

TEST_F(SaveFileTest, LeftoversOfInterruptedSavesAreRemovedOthersStay) {
    // What a kill during a save leaves: a temporary file of the real naming.
    {
        SaveFile interrupted(dir_.File("Qvrl.ini"));
        interrupted.Write("half");
        const std::vector<std::string> during = Names();
        ASSERT_EQ(during.size(), 1u);
        fs::copy_file(dir_.File(during[0]), dir_.File(during[0] + "x"));
        fs::rename(dir_.File(during[0] + "x"), dir_.File(".Qvrl.flt.a1B2c3"));
    }
    dir_.Write(".quavrel.conf.Zz9Yy8", "left");
    dir_.Write("Qvrl.ini", "kept");
    dir_.Write(".Qvrl.ini.short", "not ours: five characters");
    dir_.Write(".Qvrl.ini.abc-ef", "not ours: a dash");
    dir_.Write(".other.txt.abcdef", "not one of the names");
    fs::create_directory(dir_.File(".Qvrl.ini.folder"));
    EXPECT_EQ(
        RemoveLeftoverSaveFiles(dir_.Path().string(), {"Qvrl.ini", "Qvrl.flt", "quavrel.conf"}), 2);
    EXPECT_EQ(Names(),
              (std::vector<std::string>{".Qvrl.ini.abc-ef", ".Qvrl.ini.folder", ".Qvrl.ini.short",
                                        ".other.txt.abcdef", "Qvrl.ini"}));
    EXPECT_EQ(RemoveLeftoverSaveFiles(dir_.File("missing"), {"Qvrl.ini"}), 0);
}

}  // namespace
