#include "playlist/FileAdder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

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
    // Text after a NUL byte would be cut off by the system, leaving the folder "x".
    EXPECT_EQ(Add(dir_.File("x") + std::string("\0/README", 8)), -1);
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

TEST_F(FileAdderTest, AWalkAddsOnlyRegularFilesFilteringOnOrOff) {
    const std::string song = dir_.Write("top/song.mp3", "");
    ASSERT_EQ(::mkfifo(dir_.File("top/pipe.mp3").c_str(), 0600), 0);
    fs::create_symlink("/dev/null", dir_.Path() / "top" / "null.mp3");
    for (const std::uint8_t filtering : {1, 0}) {
        filteringOn_ = filtering;
        list_.Clear();
        EXPECT_EQ(Add(dir_.File("top")), -1);
        EXPECT_EQ(Paths(), std::vector<std::string>{song}) << "filtering " << int(filtering);
    }
}

TEST_F(FileAdderTest, NeverEntersTheKernelsOwnFileSystems) {
    const std::string table =
        "22 1 0:21 / /proc rw,nosuid - proc proc rw\n"
        "23 1 0:22 / /sys rw shared:7 - sysfs sysfs rw\n"
        "24 1 0:5 / /dev rw shared:2 master:1 - devtmpfs udev rw\n"
        "25 23 0:23 / /sys/fs/cgroup ro - cgroup2 cgroup2 rw\n"
        "26 23 0:24 / /sys/kernel/debug rw - debugfs debugfs rw\n"
        "27 23 0:25 / /sys/kernel/tracing rw - tracefs tracefs rw\n"
        "28 1 0:26 / /net rw - autofs systemd-1 rw\n"
        "29 1 0:27 / /run rw - tmpfs tmpfs rw\n"
        "30 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
        "garbage line\n";
    const std::set<dev_t> excluded = FileAdder::ExcludedDevices(table);
    EXPECT_EQ(excluded,
              (std::set<dev_t>{makedev(0, 21), makedev(0, 22), makedev(0, 5), makedev(0, 23),
                               makedev(0, 24), makedev(0, 25), makedev(0, 26)}));
    EXPECT_TRUE(FileAdder::ExcludedDevices("").empty());

    // A folder on such a mount is neither entered nor added as itself: here the temporary
    // folder's own device stands for one.
    dir_.Write("top/song.mp3", "");
    struct stat info {};
    ASSERT_EQ(::stat(dir_.File("top").c_str(), &info), 0);
    const std::string mounts = dir_.Write(
        "mountinfo", "40 1 " + std::to_string(major(info.st_dev)) + ":" +
                         std::to_string(minor(info.st_dev)) + " / /x rw - proc proc rw\n");
    adder_.SetMountInfoFile(mounts);
    filteringOn_ = 0;
    EXPECT_EQ(Add(dir_.File("top")), -1);
    EXPECT_TRUE(list_.Empty());
    // The system's own table keeps a walk out of /proc.
    adder_.SetMountInfoFile("/proc/self/mountinfo");
    if (fs::exists("/proc/self/status")) {
        EXPECT_EQ(Add("/proc/self"), -1);
        EXPECT_TRUE(list_.Empty());
    }
}

TEST_F(FileAdderTest, ACancelledWalkKeepsWhatWasAddedAndStopsAtOnce) {
    for (int i = 0; i < 10; ++i)
        dir_.Write("top/sub/" + std::to_string(i) + ".mp3", "");
    int calls = 0;
    const int index = adder_.AddFile(
        dir_.File("top"), [this](PlayListEntry e) { return list_.Append(e); },
        [&](int added) {
            ++calls;
            return added < 3;
        });
    EXPECT_EQ(index, -1);
    EXPECT_EQ(list_.Count(), 3);
    EXPECT_EQ(calls, 3);  // no look after the cancel
    EXPECT_TRUE(list_.IsConsistent());
    // Cancelled before anything was found: the empty folder is not added as itself either.
    dir_.Write("empty/only.txt", "");
    filteringOn_ = 1;
    EXPECT_EQ(adder_.AddFile(
                  dir_.File("empty"), [this](PlayListEntry e) { return list_.Append(e); },
                  [](int) { return false; }),
              -1);
    EXPECT_EQ(list_.Count(), 3);
}

TEST_F(FileAdderTest, AFolderVanishingMidWalkKeepsWhatWasAdded) {
    for (const char* folder : {"a", "b", "c"})
        for (int i = 0; i < 5; ++i)
            dir_.Write(std::string("top/") + folder + "/" + std::to_string(i) + ".mp3", "");
    bool removed = false;
    const int index = adder_.AddFile(
        dir_.File("top"), [this](PlayListEntry e) { return list_.Append(e); },
        [&](int added) {
            if (added > 0 && !removed) {
                removed = true;
                fs::remove_all(dir_.Path() / "top");
            }
            return true;
        });
    EXPECT_TRUE(removed);
    EXPECT_EQ(index, -1);
    EXPECT_GE(list_.Count(), 1);
    EXPECT_LE(list_.Count(), 15);
    EXPECT_TRUE(list_.IsConsistent());
}

TEST_F(FileAdderTest, ASessionFindsTheSamePathsAsSingleLooks) {
    const std::string a = dir_.Write("one/a.mp3", "");
    const std::string b = dir_.Write("two/b.mp3", "");
    const std::string c = dir_.Write("one/c.mp3", "");
    fs::create_symlink(a, dir_.Path() / "two" / "link.mp3");
    const std::vector<std::string> paths{a,
                                         b,
                                         dir_.File("two/link.mp3"),
                                         dir_.File("two/missing.mp3"),
                                         c,
                                         dir_.File("gone/x.mp3"),
                                         dir_.File("one"),
                                         dir_.File("one/."),
                                         "relative.mp3"};
    std::vector<int> alone;
    for (const std::string& path : paths)
        alone.push_back(Add(path));
    const std::vector<std::string> added = Paths();
    list_.Clear();
    std::vector<int> inSession;
    {
        const FileAdder::Session session(adder_);
        for (const std::string& path : paths)
            inSession.push_back(Add(path));
    }
    EXPECT_EQ(inSession, alone);
    EXPECT_EQ(Paths(), added);
    EXPECT_EQ(added.size(), 8u);  // a b link c, then "one" twice (a and c each)
}

}  // namespace
