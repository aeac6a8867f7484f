// The real shell information service: names by path, types by file name only, one icon per type.
#include "services/QtShellInfo.h"

#include <gtest/gtest.h>
#include <QDir>

#include "services/ShellIconList.h"

namespace {

class QtShellInfoTest : public ::testing::Test {
protected:
    QtShellInfo shell_{"/home/someone"};
};

TEST_F(QtShellInfoTest, ShowsWholeNamesAndTheTwoRoots) {
    EXPECT_EQ(shell_.FileInfo("/music/Album.2/Song.MP3", false).DisplayName, "Song.MP3");
    EXPECT_EQ(shell_.FileInfo("/music/Album.2/", true).DisplayName, "Album.2");
    EXPECT_EQ(shell_.FileInfo("/", true).DisplayName, "File System");
    EXPECT_EQ(shell_.FileInfo("/home/someone/", true).DisplayName, "Home");
    EXPECT_EQ(shell_.FileInfo("/home/someone/x", true).DisplayName, "x");
    // A name made on Windows shows readably; only the shown name changes, never the path.
    EXPECT_EQ(shell_.FileInfo("/music/Caf\xE9.mp3", false).DisplayName, "Caf\xC3\xA9.mp3");
}

TEST_F(QtShellInfoTest, TypesFilesByNameWithoutLookingAtThem) {
    // Neither file exists: the name alone decides.
    const ShellInfo::Info song = shell_.FileInfo("/nowhere/song.mp3", false);
    const ShellInfo::Info other = shell_.FileInfo("/nowhere/other.MP3", false);
    EXPECT_FALSE(song.TypeName.empty());
    EXPECT_EQ(other.TypeName, song.TypeName);
    EXPECT_EQ(other.IconIndex, song.IconIndex);  // one icon per type, cached
    EXPECT_GE(song.IconIndex, 0);
    EXPECT_LT(song.IconIndex, ShellIconList::Instance().Count());
    EXPECT_NE(shell_.FileInfo("/nowhere/readme.txt", false).TypeName, song.TypeName);
    const ShellInfo::Info folder = shell_.FolderInfo();
    EXPECT_EQ(folder.TypeName, "Folder");
    EXPECT_EQ(shell_.FileInfo("/music", true).IconIndex, folder.IconIndex);
}

TEST_F(QtShellInfoTest, NamesOneExtensionCannotTellApartKeepTheirOwnTypes) {
    // Types are remembered by extension, except where the whole name decides.
    const SharedText gz = shell_.FileInfo("/x/data.gz", false).TypeName;
    EXPECT_NE(shell_.FileInfo("/x/data.tar.gz", false).TypeName, gz);
    EXPECT_EQ(shell_.FileInfo("/x/more.GZ", false).TypeName, gz);
    const SharedText text = shell_.FileInfo("/x/notes.txt", false).TypeName;
    EXPECT_NE(shell_.FileInfo("/x/CMakeLists.txt", false).TypeName, text);
    EXPECT_EQ(shell_.FileInfo("/x/other.txt", false).TypeName, text);
    const SharedText c = shell_.FileInfo("/x/main.c", false).TypeName;
    EXPECT_NE(shell_.FileInfo("/x/main.C", false).TypeName, c);  // C++ by its capital
}

TEST_F(QtShellInfoTest, WritesTimesAsDateTwoSpacesAndTimeWithoutSeconds) {
    const std::string text = shell_.DateTimeText(1000000000 + 37);
    const std::size_t gap = text.find("  ");
    ASSERT_NE(gap, std::string::npos) << text;
    const std::string time = text.substr(gap + 2);
    EXPECT_EQ(std::count(time.begin(), time.end(), ':'), 1) << text;
}

}  // namespace
