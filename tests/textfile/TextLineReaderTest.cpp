#include "textfile/TextLineReader.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"
#include "textfile/FileErrors.h"

namespace {

std::vector<std::string> ReadAll(TextLineReader reader) {
    std::vector<std::string> lines;
    while (!reader.Eof())
        lines.push_back(reader.ReadLine());
    return lines;
}

using Lines = std::vector<std::string>;

TEST(TextLineReaderTest, EndsLinesAtCrAndTakesTheFollowingLfWithIt) {
    EXPECT_EQ(ReadAll(TextLineReader("one\r\ntwo\r\n")), (Lines{"one", "two"}));
    EXPECT_EQ(ReadAll(TextLineReader("one\rtwo")), (Lines{"one", "two"}));
    EXPECT_EQ(ReadAll(TextLineReader("one\r\r\nthree\r\n")), (Lines{"one", "", "three"}));
}

TEST(TextLineReaderTest, KeepsALoneLfInTheLine) {
    EXPECT_EQ(ReadAll(TextLineReader("a\nb\r\nc\n")), (Lines{"a\nb", "c\n"}));
    // Only the one LF right after the CR belongs to the line end.
    EXPECT_EQ(ReadAll(TextLineReader("a\r\n\nb\r\n")), (Lines{"a", "\nb"}));
}

TEST(TextLineReaderTest, CtrlZEndsTheFile) {
    TextLineReader reader("one\r\ntw\x1Ao\r\nthree\r\n");
    EXPECT_EQ(reader.ReadLine(), "one");
    EXPECT_EQ(reader.ReadLine(), "tw");
    EXPECT_TRUE(reader.Eof());
    EXPECT_EQ(reader.ReadLine(), "");
    EXPECT_TRUE(ReadAll(TextLineReader("\x1A\r\nmore")).empty());
}

TEST(TextLineReaderTest, LinesReadPastTheEndAreEmpty) {
    TextLineReader reader("only\r\n");
    EXPECT_FALSE(reader.Eof());
    EXPECT_EQ(reader.ReadLine(), "only");
    EXPECT_TRUE(reader.Eof());
    EXPECT_EQ(reader.ReadLine(), "");
    EXPECT_EQ(reader.ReadLine(), "");
    EXPECT_TRUE(TextLineReader("").Eof());
}

TEST(TextLineReaderTest, PassesEveryOtherByteThrough) {
    const std::string odd("caf\xC3\xA9\t\0x\xFF", 9);
    TextLineReader reader(odd + "\r\n");
    EXPECT_EQ(reader.ReadLine(), odd);
}

TEST(TextLineReaderTest, ReadsAFileAndReportsAMissingOne) {
    TempDir dir;
    const std::string path = dir.Write("list.qpl", "head\r\nbody");
    EXPECT_EQ(ReadAll(TextLineReader::FromFile(path)), (Lines{"head", "body"}));
    try {
        TextLineReader::FromFile(dir.File("missing.qpl"));
        FAIL() << "a missing file was read";
    } catch (const EInOutError& error) {
        EXPECT_STREQ(error.what(), "File not found");
    }
}

}  // namespace
