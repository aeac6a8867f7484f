#include "views/MaskSearch.h"

#include <gtest/gtest.h>

namespace {

using Masks = std::vector<std::string>;

struct ParseCase {
    const char* name;
    const char* value;
    Masks masks;
};

class ParseMaskListTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseMaskListTest, StoresTheNormalisedMasks) {
    EXPECT_EQ(ParseMaskList(GetParam().value), GetParam().masks);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ParseMaskListTest,
    ::testing::Values(ParseCase{"Empty", "", {"*"}},
                      ParseCase{"BareWordIsContained", "mp3", {"*mp3*"}},
                      ParseCase{"WildcardWithoutDotGetsAStar", "song?", {"song?*"}},
                      ParseCase{
                          "CommaListTrimmedAndLowercased", "*.MP3, *.wav", {"*.mp3", "*.wav"}},
                      ParseCase{"PlainNameStaysExact", "readme.txt", {"readme.txt"}},
                      ParseCase{"SortedWithoutDuplicates", "*.wav;*.MP3;*.mp3", {"*.mp3", "*.wav"}},
                      ParseCase{"StarEndStaysAsItIs", "a*", {"a*"}},
                      ParseCase{"EmptyPieceMatchesAll", "*.wav;;", {"**", "*.wav"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct MatchCase {
    const char* name;
    const char* mask;
    const char* file;
    bool matches;
};

class MatchMaskListTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(MatchMaskListTest, MatchesAsTheMaskSays) {
    const MatchCase& c = GetParam();
    EXPECT_EQ(MatchMaskList(c.file, ParseMaskList(c.mask)), c.matches) << c.mask << " " << c.file;
}

INSTANTIATE_TEST_SUITE_P(
    Names, MatchMaskListTest,
    ::testing::Values(MatchCase{"EmptyMaskListsEverything", "", "noext", true},
                      MatchCase{"StarDotStarNeedsADot", "*.*", "noext", false},
                      MatchCase{"StarDotStarTakesADot", "*.*", "a.b", true},
                      MatchCase{"ExtensionMatches", "*.mp3", "a.mp3", true},
                      MatchCase{"FirstOccurrenceNeverBacktracks", "*.mp3", "a.mp3.mp3", false},
                      MatchCase{"CaseDoesNotCount", "*.MP3, *.wav", "Song.Mp3", true},
                      MatchCase{"SecondMaskOfTheList", "*.MP3, *.wav", "x.WAV", true},
                      MatchCase{"BareWordAnywhere", "mp3", "my mp3 song.ogg", true},
                      MatchCase{"QuestionNeedsACharacter", "song?", "song", false},
                      MatchCase{"QuestionTakesOne", "song?", "song1.mp3", true},
                      MatchCase{"ExactNameAnyCase", "readme.txt", "README.TXT", true},
                      MatchCase{"ExactNameOnly", "readme.txt", "readme.txt.bak", false},
                      MatchCase{"StarThenQuestion", "*?.mp3", "a.mp3", true},
                      MatchCase{"QuestionsAtTheEnd", "a.??", "a.mp3", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MaskSearchTest, EmptyNameMatchesAndEmptyListMatchesNothingElse) {
    EXPECT_TRUE(MatchMaskList("", {}));
    EXPECT_FALSE(MatchMaskList("a.mp3", {}));
    EXPECT_FALSE(MatchMask("a", ""));
    EXPECT_TRUE(MatchMask("", "*"));
}

}  // namespace
