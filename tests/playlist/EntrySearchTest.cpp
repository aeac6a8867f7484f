#include "playlist/EntrySearch.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

PlayListEntry Entry(const std::string& caption, const std::string& path,
                    const std::string& artist = {}, const std::string& album = {},
                    const std::string& title = {}) {
    PlayListEntry entry{caption, "Audio", path, 0};
    if (!artist.empty() || !album.empty() || !title.empty()) {
        TrackTags tags;
        tags.Artist = artist;
        tags.Album = album;
        tags.Title = title;
        entry.Tags = std::make_shared<const TrackTags>(tags);
    }
    return entry;
}

class EntrySearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        list_.Append(Entry("01 - Help.flac", "/music/Beatles/Help/01 - Help.flac", "The Beatles",
                           "Help!", "Help!"));
        list_.Append(Entry("Yesterday", "/music/Beatles/Help/13.flac", "The Beatles", "Help!"));
        list_.Append(Entry("Jóga", "/music/Björk/Homogenic/jóga.mp3", "Björk", "Homogenic"));
        list_.Append(Entry("radio.mp3", "/tmp/radio.mp3"));
    }
    std::vector<int> Find(const std::string& query) { return search_.Find(query); }

    PlayList list_;
    EntrySearch search_{list_};
};

TEST_F(EntrySearchTest, MatchesEveryWordInAnyOrderAndField) {
    EXPECT_EQ(Find(""), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(Find("   "), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(Find("beatles"), (std::vector<int>{0, 1}));
    EXPECT_EQ(Find("help yesterday"), (std::vector<int>{1}));
    EXPECT_EQ(Find("yesterday help"), (std::vector<int>{1}));
    EXPECT_EQ(Find("tmp"), (std::vector<int>{3}));           // the path
    EXPECT_EQ(Find("homogenic jo"), (std::vector<int>{2}));  // album and caption
    EXPECT_EQ(Find("help nowhere"), (std::vector<int>{}));
}

TEST_F(EntrySearchTest, IgnoresCaseAndAccents) {
    EXPECT_EQ(Find("BJORK"), (std::vector<int>{2}));
    EXPECT_EQ(Find("björk JOGA"), (std::vector<int>{2}));
    EXPECT_EQ(Find("Jo\xcc\x81ga"), (std::vector<int>{2}));  // a decomposed "ó" typed
}

TEST_F(EntrySearchTest, AWordNeverRunsAcrossTwoFieldsOrEntries) {
    // "Help!" ends the title and "The Beatles" begins the artist: "!the" is in neither.
    EXPECT_EQ(Find("!the"), (std::vector<int>{}));
    EXPECT_EQ(Find("flacyesterday"), (std::vector<int>{}));
}

TEST_F(EntrySearchTest, TypingOnAndBackAgainGivesWhatAFreshSearchGives) {
    const std::vector<std::string> typed = {"b",       "be",     "bea",  "beat", "beat ", "beat h",
                                            "beat he", "beat h", "beat", "bj",   "b",     ""};
    for (const std::string& query : typed) {
        PlayList copy;
        for (int i = 0; i < list_.Count(); ++i)
            copy.Append(list_.At(i));
        EntrySearch fresh(copy);
        EXPECT_EQ(Find(query), fresh.Find(query)) << "'" << query << "'";
    }
}

TEST_F(EntrySearchTest, FollowsTheChangesOfTheList) {
    EXPECT_EQ(Find("radio"), (std::vector<int>{3}));
    list_.SetCaption(0, "radio edit");
    EXPECT_EQ(Find("radio"), (std::vector<int>{0, 3}));
    list_.Delete(1);
    EXPECT_EQ(Find("radio"), (std::vector<int>{0, 2}));
    list_.Append(Entry("Radio Ga Ga", "/m/queen.mp3"));
    EXPECT_EQ(Find("radio"), (std::vector<int>{0, 2, 3}));
    list_.Move(3, 0);
    EXPECT_EQ(Find("radio ga"), (std::vector<int>{0}));
    list_.Clear();
    EXPECT_EQ(Find("radio"), (std::vector<int>{}));
    EXPECT_EQ(Find(""), (std::vector<int>{}));
}

TEST_F(EntrySearchTest, FindsEntriesInEveryBlockOfALongList) {
    list_.Clear();
    std::vector<PlayListEntry> entries;
    for (int i = 0; i < 10000; ++i)
        entries.push_back(Entry("track " + std::to_string(i), "/m/" + std::to_string(i) + ".mp3"));
    list_.Append(std::move(entries));
    EXPECT_EQ(Find("track 9999").size(), 1u);
    EXPECT_EQ(Find("4096.mp3"), (std::vector<int>{4096}));
    EXPECT_EQ(Find("4095.mp3"), (std::vector<int>{4095}));
    EXPECT_EQ(Find("track").size(), 10000u);
    list_.Delete(0);
    EXPECT_EQ(Find("4096.mp3"), (std::vector<int>{4095}));
    // Both words anywhere: "99" in the caption's number or the path's.
    std::size_t with99 = 0;
    for (int i = 1; i < 10000; ++i)
        with99 += std::to_string(i).find("99") != std::string::npos;
    EXPECT_EQ(Find("track 99").size(), with99);
    EXPECT_EQ(Find("track 99 .mp3 /m/").size(), with99);
}

}  // namespace
