#include "textfile/DisplayText.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplayTextTest, BidiOverridesAndIsolatesAreRemoved) {
    // "Song" with a right-to-left override would show the rest reversed: "3pm.exe" as "exe.mp3".
    EXPECT_EQ(DisplayText("Song \xE2\x80\xAE"
                          "3pm.exe"),
              "Song 3pm.exe");
    for (const char* control :
         {"\xE2\x80\xAA", "\xE2\x80\xAB", "\xE2\x80\xAC", "\xE2\x80\xAD", "\xE2\x80\xAE",
          "\xE2\x81\xA6", "\xE2\x81\xA7", "\xE2\x81\xA8", "\xE2\x81\xA9"})
        EXPECT_EQ(DisplayText(std::string("a") + control + "b"), "ab") << control;
    // The marks are no overrides, and real right-to-left text stays.
    EXPECT_EQ(DisplayText("\xE2\x80\x8F\xD7\xA9\xD7\x99\xD7\xA8"),
              "\xE2\x80\x8F\xD7\xA9\xD7\x99\xD7\xA8");
    EXPECT_EQ(DisplayText("\xE2\x80\x94 dash \xE2\x82\xAC"), "\xE2\x80\x94 dash \xE2\x82\xAC");
}

TEST(DisplayTextTest, ControlCharactersBecomeSpaces) {
    EXPECT_EQ(DisplayText(std::string("a\0b\tc\r\nd\x1B[2J\x7F", 13)), "a b c  d [2J ");
    EXPECT_EQ(DisplayText("x\xC2\x85y\xC2\x9Bz\xC2\xA0"), "x y z\xC2\xA0");  // NEL, CSI; NBSP stays
    EXPECT_EQ(DisplayText("one\xE2\x80\xA8two\xE2\x80\xA9"), "one two ");
    // Bytes that are no UTF-8, and a sequence cut at the end, stay for the widget to show.
    EXPECT_EQ(DisplayText("caf\xE9 \xE2\x80"), "caf\xE9 \xE2\x80");
    EXPECT_EQ(DisplayText(""), "");
}

}  // namespace
