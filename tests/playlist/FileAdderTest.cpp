#include "playlist/FileAdder.h"

#include <gtest/gtest.h>
#include <filesystem>

#include "fakes/FakeShellInfo.h"
#include "filter/FileTypeFilter.h"
#include "playlist/PlayList.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

class FileAdderTest : public ::testing::Test {
protected:
    int Add(const std::string& path) {
        const int index = adder_.AddFile(path, list_);  // a folder's walk in one batch
        EXPECT_TRUE(list_.IsConsistent());
        return index;
    }
    std::vector<std::string> Paths() const {
        std::vector<std::string> paths;
        for (int i = 0; i < list_.Count(); ++i)
            paths.push_back(list_.At(i).Path);
        return paths;
    }
    // The names of a folder in the order the file system returns them.
    std::vector<std::string> Listed(const fs::path& folder) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        return names;
    }

    TempDir dir_;
    FakeShellInfo shell_;
    std::vector<std::string> filterList_{"mp3", "wav"};
    std::uint8_t filteringOn_ = 1;
    FileAdder adder_{shell_, [this](const std::string& path) {
                         return PassesFilter(path, &filterList_, filteringOn_);
                     }};
    PlayList list_;
};

TEST_F(FileAdderTest, AddsAFileWithItsShellInformation) {
    const std::string song = dir_.Write("x/Song.MP3", "");
    EXPECT_EQ(Add(song), 0);
    EXPECT_EQ(list_.At(0), (PlayListEntry{"Song.MP3", "MP3 audio", song, 0}));
    // No duplicate check: the same path again is a second entry.
    EXPECT_EQ(Add(song), 1);
}

TEST_F(FileAdderTest, RefusesMissingPathsAndFilteredFiles) {
    const std::string readme = dir_.Write("x/README", "");
    EXPECT_EQ(Add(dir_.File("x/missing.mp3")), -1);
    EXPECT_EQ(Add(""), -1);
    EXPECT_EQ(Add(readme), -1);
    EXPECT_TRUE(list_.Empty());
    filteringOn_ = 0;
    EXPECT_EQ(Add(readme), 0);
    EXPECT_EQ(list_.At(0).TypeName, "File");
}

TEST_F(FileAdderTest, ExpandsAFolderDepthFirstInFileSystemOrder) {
    dir_.Write("top/a.mp3", "");
    dir_.Write("top/sub/b.wav", "");
    dir_.Write("top/sub/deeper/c.mp3", "");
    dir_.Write("top/sub/skip.txt", "");
    dir_.Write("top/z.wav", "");
    EXPECT_EQ(Add(dir_.File("top")), -1);  // a folder's result is none, also when it added files

    // What a depth-first walk in the file system's own order gives.
    std::vector<std::string> expected;
    std::function<void(const fs::path&)> walk = [&](const fs::path& folder) {
        for (const std::string& name : Listed(folder)) {
            const fs::path path = folder / name;
            if (fs::is_directory(path))
                walk(path);
            else if (path.extension() != ".txt")
                expected.push_back(path.string());
        }
    };
    walk(dir_.Path() / "top");
    EXPECT_EQ(Paths(), expected);
    EXPECT_EQ(list_.Count(), 4);
}

TEST_F(FileAdderTest, AddsAnEmptyFolderAsItself) {
    fs::create_directories(dir_.Path() / "top/empty");
    dir_.Write("top/only.txt", "");
    // The folder holds a refused file: it is not empty, so nothing is added.
    EXPECT_EQ(Add(dir_.File("top")), -1);
    ASSERT_EQ(list_.Count(), 1);
    EXPECT_EQ(list_.At(0), (PlayListEntry{"empty", "Folder", dir_.File("top/empty"), 0}));
    EXPECT_EQ(Add(dir_.File("top/empty")), 1);
}

TEST_F(FileAdderTest, EntersEachRealFolderOnceThroughLinkCycles) {
    dir_.Write("top/a.mp3", "");
    dir_.Write("top/sub/b.mp3", "");
    fs::create_directory_symlink(dir_.Path() / "top", dir_.Path() / "top/sub/up");
    fs::create_directory_symlink(dir_.Path() / "top/sub", dir_.Path() / "top/again");
    EXPECT_EQ(Add(dir_.File("top")), -1);
    std::vector<std::string> names;
    for (const std::string& path : Paths())
        names.push_back(fs::path(path).filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.mp3", "b.mp3"}));
    // A second call walks afresh.
    EXPECT_EQ(Add(dir_.File("top")), -1);
    EXPECT_EQ(list_.Count(), 4);
}

TEST_F(FileAdderTest, FollowsLinksToFilesAndRefusesDanglingOnes) {
    const std::string song = dir_.Write("music/song.mp3", "");
    fs::create_symlink(song, dir_.Path() / "link.mp3");
    fs::create_symlink(dir_.Path() / "gone.mp3", dir_.Path() / "dangling.mp3");
    EXPECT_EQ(Add(dir_.File("link.mp3")), 0);
    EXPECT_EQ(list_.At(0).Path, dir_.File("link.mp3"));
    EXPECT_EQ(Add(dir_.File("dangling.mp3")), -1);
}

}  // namespace
