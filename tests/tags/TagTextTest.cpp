#include "tags/TagText.h"

#include <gtest/gtest.h>

#include "textfile/TextEncoding.h"

namespace {

TEST(TagTextTest, CleanTextIsValidUtf8OnOneLine) {
    EXPECT_EQ(CleanTagText("  Caf\xC3\xA9  "), "Caf\xC3\xA9");
    EXPECT_EQ(CleanTagText("Caf\xE9"), "Caf\xC3\xA9");  // not UTF-8: Windows-1252
    EXPECT_EQ(CleanTagText("\x93quoted\x94"), "\xE2\x80\x9Cquoted\xE2\x80\x9D");
    EXPECT_EQ(CleanTagText("one\r\ntwo\0three"), "one  two");
    EXPECT_EQ(CleanTagText(std::string("a\0b", 3)), "a b");
    EXPECT_EQ(CleanTagText("\t\n "), "");
    // A long text is cut between characters, never inside one.
    std::string longText;
    for (int i = 0; i < 600; ++i)
        longText += "\xC3\xA9";
    const std::string cut = CleanTagText(longText);
    EXPECT_LE(cut.size(), MaxTagTextBytes);
    EXPECT_GE(cut.size(), MaxTagTextBytes - 1);
    EXPECT_TRUE(IsValidUtf8(cut));
    for (int byte = 0; byte < 256; ++byte)
        EXPECT_TRUE(IsValidUtf8(CleanTagText(std::string(3, static_cast<char>(byte))))) << byte;
}

TEST(TagTextTest, NumbersAreReadFromTheFieldsStart) {
    EXPECT_EQ(LeadingNumber("3/12"), 3);
    EXPECT_EQ(LeadingNumber(" 07"), 7);
    EXPECT_EQ(LeadingNumber("A1"), 0);
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("99999999999999999999"), 0);
    EXPECT_EQ(YearOf("2001-05-03"), 2001);
    EXPECT_EQ(YearOf("c. 1999"), 1999);
    EXPECT_EQ(YearOf("20010503"), 2001);
    EXPECT_EQ(YearOf("'99"), 0);
}

}  // namespace
