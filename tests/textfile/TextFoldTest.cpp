#include "textfile/TextFold.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TextFoldTest, LowersLettersAndDropsTheirAccents) {
    EXPECT_EQ(FoldForSearch("Émile ZOLA"), "emile zola");
    EXPECT_EQ(FoldForSearch("Straße Œuvre Ærø Łódź"), "strasse oeuvre aero lodz");
    EXPECT_EQ(FoldForSearch("Björk Guðmundsdóttir"), "bjork gudmundsdottir");
    EXPECT_EQ(FoldForSearch("Ἀθῆναι ΣΟΦΊΑ"), "αθηναι σοφια");
    EXPECT_EQ(FoldForSearch("Ёлка ПЕСНЯ"), "елка песня");
    EXPECT_EQ(FoldForSearch("Việt Nam"), "viet nam");
    EXPECT_EQ(FoldForSearch("ﬁne ＡＢＣ"), "fine abc");
}

TEST(TextFoldTest, DecomposedTextFoldsAsComposedTextDoes) {
    // "é" written as "e" and a combining acute accent, as macOS writes file names.
    EXPECT_EQ(FoldForSearch("Caf\x65\xcc\x81"), FoldForSearch("Café"));
    EXPECT_EQ(FoldForSearch("Caf\x65\xcc\x81"), "cafe");
}

TEST(TextFoldTest, KeepsWhatItCannotFoldByteForByte) {
    EXPECT_EQ(FoldForSearch("日本語 🎵 /x_y-1.mp3"), "日本語 🎵 /x_y-1.mp3");
    // Latin-1 bytes and broken or overlong sequences are no UTF-8: kept as they are.
    const std::string broken = "A\xe9t\xc3 \xe2\x82 \xc0\xaf \xed\xa0\x80 Z";
    EXPECT_EQ(FoldForSearch(broken), "a\xe9t\xc3 \xe2\x82 \xc0\xaf \xed\xa0\x80 z");
    EXPECT_EQ(FoldForSearch(""), "");
}

TEST(TextFoldTest, FoldingFoldedTextChangesNothing) {
    for (std::size_t i = 0; i < kTextFoldRowCount; ++i) {
        const std::string folded = kTextFoldRows[i].to;
        const auto code = static_cast<unsigned>(kTextFoldRows[i].from);
        EXPECT_EQ(FoldForSearch(folded), folded) << std::hex << code;
        if (i > 0) {
            EXPECT_LT(static_cast<unsigned>(kTextFoldRows[i - 1].from), code) << "rows sorted";
        }
    }
}

}  // namespace
