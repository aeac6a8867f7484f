#include "IniProfile.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "support/TempDir.h"

namespace {

class IniProfileTest : public ::testing::Test {
protected:
    std::string Read(const std::string& text, const std::string& section, const std::string& key,
                     const std::string& fallback = "default", std::size_t size = 64) {
        const std::string file = folder_.Write("kitbem.cfg", text);
        return profile_.ReadString(section, key, fallback, size, file);
    }

    TempDir folder_;
    IniProfile profile_;
};

TEST_F(IniProfileTest, MissingFileGivesDefaultWithoutTrailingBlanks) {
    EXPECT_EQ(profile_.ReadString("setup", "inf", "setup.inf", 64, folder_.File("none.cfg")),
              "setup.inf");
    EXPECT_EQ(profile_.ReadString("setup", "inf", "setup.inf  ", 64, folder_.File("none.cfg")),
              "setup.inf");
    EXPECT_EQ(profile_.ReadString("setup", "inf", std::string(70, 'd'), 64, folder_.File("x")),
              std::string(63, 'd'));
    // A folder is no file.
    EXPECT_EQ(profile_.ReadString("setup", "inf", "setup.inf", 64, folder_.Path().string()),
              "setup.inf");
}

TEST_F(IniProfileTest, FindsKeysWhateverTheLineEndsAndLetterCase) {
    for (const std::string end : {"\r\n", "\n", "\r"}) {
        const std::string text = "[Other]" + end + "inf=wrong" + end + "[SETUP]" + end +
                                 "App=Quavrel" + end + "INF=disk1.inf" + end;
        EXPECT_EQ(Read(text, "setup", "inf"), "disk1.inf");
        EXPECT_EQ(Read(text, "setup", "app"), "Quavrel");
        EXPECT_EQ(Read(text, "setup", "rme"), "default");
    }
}

TEST_F(IniProfileTest, TrimsBlanksAndOneMatchingPairOfQuotes) {
    const std::string text =
        "\xEF\xBB\xBF  [ setup ]  \n"
        "  inf  =   my setup.inf   \n"
        "app=\"  Quavrel  \"\n"
        "rme='read me.txt'\n"
        "odd=\"half\n"
        "mixed=\"both'\n"
        "empty=\n";
    EXPECT_EQ(Read(text, "setup", "inf"), "my setup.inf");
    EXPECT_EQ(Read(text, "setup", "app"), "  Quavrel  ");
    EXPECT_EQ(Read(text, "setup", "rme"), "read me.txt");
    EXPECT_EQ(Read(text, "setup", "odd"), "\"half");
    EXPECT_EQ(Read(text, "setup", "mixed"), "\"both'");
    EXPECT_EQ(Read(text, "setup", "empty"), "");
}

TEST_F(IniProfileTest, OnlyTheFirstSectionAndFirstKeyOfANameCount) {
    const std::string text =
        "inf=before any section\n"
        "[setup]\n"
        "inf=first\n"
        "inf=second\n"
        "novalue\n"
        "novalue=later\n"
        "[setup]\n"
        "app=in the second section\n";
    EXPECT_EQ(Read(text, "setup", "inf"), "first");
    EXPECT_EQ(Read(text, "setup", "app"), "default");
    EXPECT_EQ(Read(text, "setup", "novalue"), "default");
}

TEST_F(IniProfileTest, CutsValuesToOneLessThanTheBuffer) {
    const std::string seventy(70, 'x');
    EXPECT_EQ(Read("[setup]\ninf=" + seventy + "\n", "setup", "inf"), std::string(63, 'x'));
    EXPECT_EQ(Read("[setup]\ninf=" + seventy + "\n", "setup", "inf", "d", 1), "");
    EXPECT_EQ(Read("[setup]\ninf=" + seventy + "\n", "setup", "inf", "d", 0), "");
    EXPECT_EQ(Read("[setup]\ninf=" + std::string(63, 'y') + "\n", "setup", "inf"),
              std::string(63, 'y'));
}

TEST_F(IniProfileTest, SurvivesGarbage) {
    static constexpr char kPieces[] = "[]=\r\n \t\"'setupinf\0\xff";
    std::mt19937 generator(8);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(generator() % 400, '\0');
        for (char& byte : bytes)
            byte = kPieces[generator() % (sizeof kPieces - 1)];
        const std::string value = Read(bytes, "setup", "inf");
        EXPECT_LE(value.size(), 63u);
    }
    EXPECT_EQ(Read("[setup\ninf=no header\n[setup]\ninf=ok\n", "setup", "inf"), "ok");
    EXPECT_EQ(Read(std::string("[setup]\ninf=a\0b\n", 16), "setup", "inf"), std::string("a\0b", 3));
}

}  // namespace
