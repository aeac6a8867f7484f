#include "textfile/TextEncoding.h"

#include <gtest/gtest.h>

namespace {

TEST(TextEncodingTest, TellsWellFormedUtf8FromEverythingElse) {
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("plain ASCII"));
    EXPECT_TRUE(IsValidUtf8("Bj\xC3\xB6rk \xE2\x82\xAC \xF0\x9F\x8E\xB5"));
    EXPECT_FALSE(IsValidUtf8("Bj\xF6rk"));          // Windows-1252
    EXPECT_FALSE(IsValidUtf8("\xC3"));              // cut short
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong "/"
    EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));      // overlong "/"
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // a surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // past U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\x80"));              // a lone continuation byte
}

TEST(TextEncodingTest, ReadsWindows1252AsTheWindowsProgramWroteIt) {
    EXPECT_EQ(Windows1252ToUtf8("Bj\xF6rk - \x80\x85"), "Bj\xC3\xB6rk - \xE2\x82\xAC\xE2\x80\xA6");
    EXPECT_EQ(Windows1252ToUtf8("Caf\xE9 \x9F"), "Caf\xC3\xA9 \xC5\xB8");
    // The five bytes the code page leaves undefined cannot be shown: U+FFFD.
    EXPECT_EQ(Windows1252ToUtf8("a\x81z"), "a\xEF\xBF\xBDz");
    EXPECT_EQ(Windows1252ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(TextEncodingTest, ReadableTextConvertsOnlyWhatIsNotUtf8) {
    EXPECT_EQ(ReadableText("Bj\xC3\xB6rk"), "Bj\xC3\xB6rk");
    EXPECT_EQ(ReadableText("Bj\xF6rk"), "Bj\xC3\xB6rk");
    // Text that is UTF-8 by accident of its bytes stays as it is: bytes are tried first.
    EXPECT_EQ(ReadableText("\xC3\xA9"), "\xC3\xA9");
    for (int byte = 0; byte < 256; ++byte)
        EXPECT_TRUE(IsValidUtf8(ReadableText(std::string(1, static_cast<char>(byte)))));
}

}  // namespace
