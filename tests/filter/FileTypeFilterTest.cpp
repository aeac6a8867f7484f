#include "filter/FileTypeFilter.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/TempDir.h"
#include "textfile/FileErrors.h"

namespace {

using Lines = std::vector<std::string>;

TEST(FileTypeFilterTest, DefaultListHoldsTheSeventeenExtensionsThenTodaysTypesInOrder) {
    const Lines& defaults = DefaultFilterList();
    const Lines windows{"wav", "mid",   "midi", "mpeg", "au",  "rmi", "mp2", "mp3", "avi",
                        "mov", "movie", "aif",  "aiff", "m1v", "icv", "lma", "la"};
    const Lines today{"flac", "ogg", "oga", "opus", "m4a", "aac", "wma", "mka", "wv", "ape",
                      "mp4",  "m4v", "mkv", "webm", "wmv", "ogv", "mpg", "3gp", "flv"};
    ASSERT_EQ(defaults.size(), windows.size() + today.size());
    EXPECT_EQ(Lines(defaults.begin(), defaults.begin() + 17), windows);
    EXPECT_EQ(Lines(defaults.begin() + 17, defaults.end()), today);
    EXPECT_TRUE(PassesFilter("/music/Song.FLAC", &defaults, 1));
    EXPECT_TRUE(PassesFilter("/music/a.opus", &defaults, 1));
}

TEST(FileTypeFilterTest, AcceptsListedExtensionsInAnyCase) {
    const Lines& list = DefaultFilterList();
    EXPECT_TRUE(PassesFilter("/music/Song.MP3", &list, 1));
    EXPECT_TRUE(PassesFilter("/music/a.b.Wav", &list, 1));
    EXPECT_FALSE(PassesFilter("/music/readme.txt", &list, 1));
    EXPECT_FALSE(PassesFilter("/music/noext", &list, 1));
    EXPECT_FALSE(PassesFilter("", &list, 1));
    EXPECT_FALSE(PassesFilter(".", &list, 1));
}

TEST(FileTypeFilterTest, SearchesThroughFolderNamesAndSkipsAFinalDot) {
    const Lines list{"mp3", "2/noext", "mp3."};
    // The dot of the folder is found: the extension is "2/noext".
    EXPECT_FALSE(PassesFilter("/music/Album.2/noext", &DefaultFilterList(), 1));
    EXPECT_TRUE(PassesFilter("/music/Album.2/noext", &list, 1));
    // The final dot is never taken: "song.mp3." has the extension "mp3.".
    EXPECT_FALSE(PassesFilter("/music/song.mp3.", &DefaultFilterList(), 1));
    EXPECT_TRUE(PassesFilter("/music/song.mp3.", &list, 1));
    // A dot as the next-to-last character is taken.
    const Lines y{"y"};
    EXPECT_TRUE(PassesFilter("x.y", &y, 1));
}

TEST(FileTypeFilterTest, EntriesAreComparedAsWritten) {
    const Lines dotted{".mp3", " mp3"};
    EXPECT_FALSE(PassesFilter("/music/song.mp3", &dotted, 1));
    const Lines empty;
    EXPECT_FALSE(PassesFilter("/music/song.mp3", &empty, 1));
    // An empty entry accepts nothing real: the final character is never the dot.
    const Lines blank{""};
    EXPECT_FALSE(PassesFilter("/music/song.", &blank, 1));
}

TEST(FileTypeFilterTest, EverythingPassesUnlessFilteringIsExactlyOne) {
    const Lines empty;
    for (std::uint8_t off : {0, 2, 255}) {
        EXPECT_TRUE(PassesFilter("/music/noext", &empty, off));
        EXPECT_TRUE(PassesFilter("/music/readme.txt", nullptr, off));
    }
    EXPECT_FALSE(PassesFilter("/music/song.mp3", nullptr, 1));
}

class FilterFileTest : public ::testing::Test {
protected:
    TempDir dir_;
    std::string path_ = dir_.File("Qvrl.flt");
};

TEST_F(FilterFileTest, MissingOrEmptyFileGivesTheDefaults) {
    Lines list;
    LoadFilterFile(path_, list);
    EXPECT_EQ(list, DefaultFilterList());
    dir_.Write("Qvrl.flt", "");
    list.clear();
    LoadFilterFile(path_, list);
    EXPECT_EQ(list, DefaultFilterList());
}

TEST_F(FilterFileTest, ReadsLfOnlyAndCrLfFilesEntryByEntry) {
    Lines list{"old"};
    dir_.Write("Qvrl.flt", "wav\nmp3\n");
    LoadFilterFile(path_, list);
    EXPECT_EQ(list, (Lines{"wav", "mp3"}));
    dir_.Write("Qvrl.flt", "ogg\r\n\r\nFLAC");
    LoadFilterFile(path_, list);
    EXPECT_EQ(list, (Lines{"ogg", "FLAC"}));  // the empty line is no extension
}

TEST_F(FilterFileTest, SavesOneEntryPerLineAndMakesTheSettingsFolder) {
    const std::string nested = dir_.File("config/quavrel/Qvrl.flt");
    SaveFilterFile(nested, DefaultFilterList());
    const std::string bytes = TempDir::Read(nested);
    EXPECT_EQ(bytes.substr(0, 10), "wav\r\nmid\r\n");
    EXPECT_EQ(bytes.substr(bytes.size() - 10), "3gp\r\nflv\r\n");
    Lines back;
    LoadFilterFile(nested, back);
    EXPECT_EQ(back, DefaultFilterList());
}

TEST_F(FilterFileTest, ReportsAnUnreadableFileAndKeepsTheList) {
    std::filesystem::create_directory(path_);  // a folder in place of the file
    Lines list{"keep"};
    try {
        LoadFilterFile(path_, list);
        FAIL() << "a folder was read as the filter list";
    } catch (const EFOpenError& error) {
        EXPECT_EQ(error.what(), "Cannot open file " + path_);
    }
    EXPECT_EQ(list, Lines{"keep"});
    try {
        SaveFilterFile(path_, list);
        FAIL() << "the filter list replaced a folder";
    } catch (const EFCreateError& error) {
        EXPECT_EQ(error.what(), "Cannot create file " + path_);
    }
}

TEST_F(FilterFileTest, LinesThatAreNoExtensionAreDroppedAsRead) {
    EXPECT_TRUE(IsFilterEntry("mp3"));
    EXPECT_TRUE(IsFilterEntry(".mp3"));  // as a user may type it
    EXPECT_TRUE(IsFilterEntry("m\xC3\xA9"));
    EXPECT_TRUE(IsFilterEntry(std::string(kMaxFilterEntryBytes, 'a')));
    for (const std::string& bad :
         {std::string(), std::string(kMaxFilterEntryBytes + 1, 'a'), std::string("mp\t3"),
          std::string("m\x7F"), std::string("a/b"), std::string("a\\b"), std::string("\xFF\xFE"),
          std::string("\x1B[2J")})
        EXPECT_FALSE(IsFilterEntry(bad)) << bad;

    Lines list;
    dir_.Write("Qvrl.flt",
               "mp3\r\n\x01\x02\xFF\r\n" + std::string(10'000'000, '7') + "\r\nogg\r\n");
    LoadFilterFile(path_, list);
    EXPECT_EQ(list, (Lines{"mp3", "ogg"}));
    // A file of garbage alone gives the defaults, not a filter that refuses every file.
    std::string garbage;
    for (int i = 0; i < 100'000; ++i)
        garbage += static_cast<char>((i * 7919 + 13) % 256);
    dir_.Write("Qvrl.flt", garbage);
    LoadFilterFile(path_, list);
    for (const std::string& entry : list)
        EXPECT_TRUE(IsFilterEntry(entry));
}

TEST_F(FilterFileTest, KeepsAtMostTheEntryLimit) {
    std::string bytes;
    for (std::size_t i = 0; i < kMaxFilterEntries + 10; ++i)
        bytes += "e" + std::to_string(i) + "\n";
    dir_.Write("Qvrl.flt", bytes);
    Lines list;
    LoadFilterFile(path_, list);
    ASSERT_EQ(list.size(), kMaxFilterEntries);
    EXPECT_EQ(list.back(), "e" + std::to_string(kMaxFilterEntries - 1));
}

TEST_F(FilterFileTest, AFifoOrDeviceIsRefusedWithoutWaiting) {
    ASSERT_EQ(::mkfifo(path_.c_str(), 0600), 0);
    Lines list{"keep"};
    EXPECT_THROW(LoadFilterFile(path_, list), EFOpenError);  // no writer: would wait for ever
    EXPECT_EQ(list, Lines{"keep"});
    EXPECT_THROW(LoadFilterFile("/dev/zero", list), EFOpenError);
    EXPECT_EQ(list, Lines{"keep"});
}

}  // namespace
