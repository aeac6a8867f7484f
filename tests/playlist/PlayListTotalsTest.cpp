#include "playlist/PlayListTotals.h"

#include <gtest/gtest.h>

#include <memory>

#include "playlist/PlayList.h"

namespace {

PlayListEntry Entry(std::int64_t lengthMs) {
    PlayListEntry entry{"e", "Audio", "/m/e.mp3", 0};
    if (lengthMs != -2) {  // -2: no tags at all
        TrackTags tags;
        tags.LengthMs = lengthMs;
        entry.Tags = std::make_shared<const TrackTags>(tags);
    }
    return entry;
}

TEST(PlayListTotalsTest, GroupsThousands) {
    EXPECT_EQ(GroupedCount(0), "0");
    EXPECT_EQ(GroupedCount(999), "999");
    EXPECT_EQ(GroupedCount(1234), "1,234");
    EXPECT_EQ(GroupedCount(1000000), "1,000,000");
    EXPECT_EQ(GroupedCount(-12345), "-12,345");
}

TEST(PlayListTotalsTest, CountsTheListAndSaysWhatIsUnknown) {
    PlayList list;
    EXPECT_EQ(PlayListTotals::Of(list).Text(), "0 entries, 0:00");
    list.Append(Entry(61000));
    EXPECT_EQ(PlayListTotals::Of(list).Text(), "1 entry, 1:01");
    list.Append(Entry(11565000 - 61000));
    list.Append(Entry(-1));  // tags without a length
    list.Append(Entry(-2));  // no tags yet
    const PlayListTotals totals = PlayListTotals::Of(list);
    EXPECT_EQ(totals.all, (PlayListTotals::Figures{4, 11565000, 2}));
    EXPECT_EQ(totals.Text(), "4 entries, 3:12:45 +2 unknown");
}

TEST(PlayListTotalsTest, AddsTheSelectionWhenMoreThanOneIsSelected) {
    PlayList list;
    for (std::int64_t ms : {1000, 2000, 4000, -2})
        list.Append(Entry(ms));
    list.Select(0);
    EXPECT_EQ(PlayListTotals::Of(list).Text(), "4 entries, 0:07 +1 unknown");
    list.Select(2);
    EXPECT_EQ(PlayListTotals::Of(list).Text(), "4 entries, 0:07 +1 unknown; 2 selected, 0:05");
    list.Select(3);
    EXPECT_EQ(PlayListTotals::Of(list).selected, (PlayListTotals::Figures{3, 5000, 1}));
    EXPECT_EQ(PlayListTotals::Of(list).Text(),
              "4 entries, 0:07 +1 unknown; 3 selected, 0:05 +1 unknown");
}

}  // namespace
