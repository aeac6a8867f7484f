#include "views/PlayListColumns.h"

#include <gtest/gtest.h>

#include <memory>

#include "playlist/PlayListEntry.h"

namespace {

using C = PlayListColumn;

TEST(PlayListColumnsTest, LengthsReadMinutesAndSecondsThenHours) {
    EXPECT_EQ(LengthText(0), "0:00");
    EXPECT_EQ(LengthText(999), "0:00");
    EXPECT_EQ(LengthText(61999), "1:01");
    EXPECT_EQ(LengthText(3599999), "59:59");
    EXPECT_EQ(LengthText(3600000), "1:00:00");
    EXPECT_EQ(LengthText(11565000), "3:12:45");
    EXPECT_EQ(LengthText(1000LL * 3600 * 150 + 5000), "150:00:05");
    EXPECT_EQ(LengthText(-1), "");
}

TEST(PlayListColumnsTest, CellsShowTheEntryAndItsTags) {
    PlayListEntry entry{"song", "MP3 audio", "/m/song.mp3", 0};
    EXPECT_EQ(CellText(entry, C::Name), "song");
    EXPECT_EQ(CellText(entry, C::Type), "MP3 audio");
    EXPECT_EQ(CellText(entry, C::Path), "/m/song.mp3");
    for (C column : {C::Length, C::Title, C::Artist, C::Album, C::Track, C::Year, C::Genre})
        EXPECT_EQ(CellText(entry, column), "") << "no tags yet";
    TrackTags tags;
    tags.Title = "Help!";
    tags.Artist = "The Beatles";
    tags.Album = "Help!";
    tags.Genre = "Pop";
    tags.Track = 7;
    tags.Year = 1965;
    tags.LengthMs = 138500;
    entry.Tags = std::make_shared<const TrackTags>(tags);
    EXPECT_EQ(CellText(entry, C::Length), "2:18");
    EXPECT_EQ(CellText(entry, C::Title), "Help!");
    EXPECT_EQ(CellText(entry, C::Artist), "The Beatles");
    EXPECT_EQ(CellText(entry, C::Track), "7");
    EXPECT_EQ(CellText(entry, C::Year), "1965");
    EXPECT_EQ(CellText(entry, C::Genre), "Pop");
    tags.Track = 0;
    tags.Year = 0;
    tags.LengthMs = -1;
    entry.Tags = std::make_shared<const TrackTags>(tags);
    EXPECT_EQ(CellText(entry, C::Track), "");
    EXPECT_EQ(CellText(entry, C::Year), "");
    EXPECT_EQ(CellText(entry, C::Length), "");
}

TEST(PlayListColumnsTest, TheTableKeepsNameTypeAndPathFirstWithTheirWidths) {
    const auto& table = PlayListColumnTable();
    for (std::size_t i = 0; i < table.size(); ++i)
        EXPECT_EQ(static_cast<std::size_t>(table[i].column), i);
    EXPECT_STREQ(table[0].caption, "Name");
    EXPECT_EQ(table[0].width, 200);
    EXPECT_STREQ(table[1].caption, "Type");
    EXPECT_EQ(table[1].width, 150);
    EXPECT_STREQ(table[2].caption, "Path");
    EXPECT_EQ(table[2].width, 500);
    EXPECT_EQ(ColumnLayout::Default().OrderText(), "Name,Artist,Album,Length,Type,Path");
}

TEST(PlayListColumnsTest, ALayoutReadsBackAsItWasWritten) {
    ColumnLayout layout = ColumnLayout::Default();
    layout.shown = {C::Genre, C::Name, C::Year};
    layout.widths[static_cast<int>(C::Path)] = 321;
    const ColumnLayout back = ColumnLayout::Parse(layout.OrderText(), layout.WidthsText());
    EXPECT_EQ(back, layout);
    EXPECT_TRUE(back.Shows(C::Year));
    EXPECT_FALSE(back.Shows(C::Path));
}

TEST(PlayListColumnsTest, AnyTextGivesAUsableLayout) {
    const ColumnLayout defaults = ColumnLayout::Default();
    EXPECT_EQ(ColumnLayout::Parse("", ""), defaults);
    EXPECT_EQ(ColumnLayout::Parse(",,Nonsense,name", "garbage:,:::"), defaults);
    // Known names in their order, each once, blanks around them trimmed; others passed over.
    const ColumnLayout read = ColumnLayout::Parse(" Title ,Bogus,Title,Length",
                                                  "Title:90,Length:-5,Year:x,Genre:99999,Album:7");
    EXPECT_EQ(read.OrderText(), "Title,Length");
    EXPECT_EQ(read.widths[static_cast<int>(C::Title)], 90);
    EXPECT_EQ(read.widths[static_cast<int>(C::Length)], 60);
    EXPECT_EQ(read.widths[static_cast<int>(C::Year)], 45);
    EXPECT_EQ(read.widths[static_cast<int>(C::Genre)], 100);
    EXPECT_EQ(read.widths[static_cast<int>(C::Album)], 7);
}

}  // namespace
