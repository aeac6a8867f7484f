#include "textfile/ListLineReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

Lines ReadAll(std::string_view bytes) {
    ListLineReader reader(bytes);
    Lines lines;
    while (!reader.Eof())
        lines.emplace_back(reader.ReadLine());
    return lines;
}

TEST(ListLineReaderTest, EndsALineAtCrLfAtCrAndAtLf) {
    EXPECT_EQ(ReadAll("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(ReadAll("a\nb\n"), (Lines{"a", "b"}));
    EXPECT_EQ(ReadAll("a\rb"), (Lines{"a", "b"}));
    // Mixed in one file; LF CR is two ends, so it leaves an empty line between.
    EXPECT_EQ(ReadAll("a\nb\r\nc\rd\n\re"), (Lines{"a", "b", "c", "d", "", "e"}));
    EXPECT_EQ(ReadAll("a\r\r\nb"), (Lines{"a", "", "b"}));
}

TEST(ListLineReaderTest, SkipsAByteOrderMarkAtTheStartOnly) {
    EXPECT_EQ(ReadAll("\xEF\xBB\xBF#EXTM3U\n/a.mp3\n"), (Lines{"#EXTM3U", "/a.mp3"}));
    EXPECT_EQ(ReadAll("a\n\xEF\xBB\xBF"
                      "b\n"),
              (Lines{"a",
                     "\xEF\xBB\xBF"
                     "b"}));
    EXPECT_TRUE(ReadAll("\xEF\xBB\xBF").empty());
    EXPECT_EQ(ReadAll("\xEF\xBB"), (Lines{"\xEF\xBB"}));  // not a whole mark: text
}

TEST(ListLineReaderTest, CtrlZEndsTheFileAndLinesPastTheEndAreEmpty) {
    EXPECT_EQ(ReadAll("one\ntw\x1Ao\nthree\n"), (Lines{"one", "tw"}));
    ListLineReader reader("only\n");
    EXPECT_EQ(reader.ReadLine(), "only");
    EXPECT_TRUE(reader.Eof());
    EXPECT_EQ(reader.ReadLine(), "");
    EXPECT_EQ(reader.ReadLine(), "");
    EXPECT_TRUE(ListLineReader("").Eof());
}

TEST(ListLineReaderTest, PassesEveryOtherByteThrough) {
    std::string odd("a\0b\xFF\t ", 6);
    EXPECT_EQ(ReadAll(odd + "\n"), Lines{odd});
}

}  // namespace
