#include "playlist/TagCaption.h"

#include <gtest/gtest.h>

#include <memory>

#include "playlist/PlayList.h"

namespace {

std::shared_ptr<const TrackTags> Tags(const std::string& artist, const std::string& title) {
    auto tags = std::make_shared<TrackTags>();
    tags->Artist = artist;
    tags->Title = title;
    return tags;
}

PlayListEntry Entry(const std::string& caption, const std::string& path,
                    std::shared_ptr<const TrackTags> tags) {
    PlayListEntry entry{caption, "Audio", path, 0};
    entry.Tags = std::move(tags);
    return entry;
}

TEST(TagCaptionTest, ArtistAndTitleOrTheTitleAlone) {
    EXPECT_EQ(CaptionFromTags(*Tags("The Beatles", "Help!")), "The Beatles - Help!");
    EXPECT_EQ(CaptionFromTags(*Tags("", "Help!")), "Help!");
    EXPECT_EQ(CaptionFromTags(*Tags("The Beatles", "")), "");
}

TEST(TagCaptionTest, OnlyEntriesThatShowTheirFilesNameAreCaptioned) {
    PlayList list;
    const auto tags = Tags("Björk", "Jóga");
    list.Append(Entry("jóga.mp3", "/m/jóga.mp3", tags));     // dropped: the whole name
    list.Append(Entry("jóga", "/m/jóga.mp3", tags));         // from a list without titles
    list.Append(Entry("Jóga (live)", "/m/jóga.mp3", tags));  // a title of the list, or edited
    list.Append(Entry("no tags.mp3", "/m/no tags.mp3", nullptr));
    list.Append(Entry("x.flac", "/m/x.flac", Tags("Someone", "")));  // no title: stays
    list.Append(Entry("Björk - Jóga", "/m/y.mp3", tags));            // already captioned
    const auto captions = CaptionsFromTags(list, -5, 99);
    ASSERT_EQ(captions.size(), 2u);
    EXPECT_EQ(captions[0], (std::pair<int, std::string>{0, "Björk - Jóga"}));
    EXPECT_EQ(captions[1], (std::pair<int, std::string>{1, "Björk - Jóga"}));
    EXPECT_TRUE(CaptionsFromTags(list, 2, 5).empty());

    int notices = 0;
    struct Counter : PlayListObserver {
        int& n;
        explicit Counter(int& n) : n(n) {}
        void EntriesInserted(int, int) override {}
        void EntriesRemoved(int, int) override {}
        void EntryMoved(int, int) override {}
        void EntriesChanged(int first, int last) override {
            ++n;
            EXPECT_EQ(first, 0);
            EXPECT_EQ(last, 1);
        }
        void FocusChanged(int, int) override {}
        void Reset() override {}
    } counter(notices);
    list.AddObserver(&counter);
    list.SetCaptions(captions);
    list.RemoveObserver(&counter);
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(list.At(1).Caption, "Björk - Jóga");
    EXPECT_TRUE(CaptionsFromTags(list, 0, 5).empty()) << "a second pass changes nothing";
}

}  // namespace
