#include "textfile/StringListFile.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"
#include "textfile/FileErrors.h"

namespace {

using Lines = std::vector<std::string>;

TEST(StringListFileTest, EndsLinesAtCrLfOrCrLf) {
    EXPECT_EQ(ParseStringList("wav\r\nmp3\r\n"), (Lines{"wav", "mp3"}));
    EXPECT_EQ(ParseStringList("wav\nmp3\n"), (Lines{"wav", "mp3"}));
    EXPECT_EQ(ParseStringList("wav\rmp3"), (Lines{"wav", "mp3"}));
    // LF CR is two line ends, so it leaves an empty entry between them.
    EXPECT_EQ(ParseStringList("wav\n\rmp3"), (Lines{"wav", "", "mp3"}));
}

TEST(StringListFileTest, MakesNoEntryAfterTheLastLineEndButKeepsEmptyLinesInside) {
    EXPECT_TRUE(ParseStringList("").empty());
    EXPECT_EQ(ParseStringList("\r\n"), (Lines{""}));
    EXPECT_EQ(ParseStringList("a\r\n\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(ParseStringList("a\r\n\r\n"), (Lines{"a", ""}));
}

TEST(StringListFileTest, NulEndsTheText) {
    EXPECT_EQ(ParseStringList(std::string("wav\r\nm\0p3\r\nmid\r\n", 17)), (Lines{"wav", "m"}));
    EXPECT_TRUE(ParseStringList(std::string("\0wav", 4)).empty());
}

TEST(StringListFileTest, SavesEveryEntryWithCrLfAndLoadsItBack) {
    TempDir dir;
    const std::string path = dir.File("Qvrl.flt");
    SaveStringList(path, {"wav", "", "mp3"});
    EXPECT_EQ(TempDir::Read(path), "wav\r\n\r\nmp3\r\n");
    EXPECT_EQ(LoadStringList(path), (Lines{"wav", "", "mp3"}));
    SaveStringList(path, {});
    EXPECT_EQ(TempDir::Read(path), "");
}

TEST(StringListFileTest, ReportsFilesItCannotOpenOrCreateByName) {
    TempDir dir;
    const std::string folder = dir.File("folder");
    std::filesystem::create_directory(folder);
    try {
        LoadStringList(folder);
        FAIL() << "a folder was read as a list";
    } catch (const EFOpenError& error) {
        EXPECT_EQ(error.what(), "Cannot open file " + folder);
    }
    const std::string nowhere = dir.File("no/such/folder/Qvrl.flt");
    try {
        SaveStringList(nowhere, {"wav"});
        FAIL() << "a file was written into a missing folder";
    } catch (const EFCreateError& error) {
        EXPECT_EQ(error.what(), "Cannot create file " + nowhere);
    }
}

}  // namespace
