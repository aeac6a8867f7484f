#include <gtest/gtest.h>

#include <limits>

#include "mpris/MprisValues.h"

namespace {

TEST(MprisValuesTest, PlaybackStatusFollowsTheDeviceMode) {
    EXPECT_EQ(PlaybackStatusName(MediaMode::Playing, 500, 1000), "Playing");
    EXPECT_EQ(PlaybackStatusName(MediaMode::Seeking, 500, 1000), "Playing");
    EXPECT_EQ(PlaybackStatusName(MediaMode::Stopped, 500, 1000), "Paused");
    EXPECT_EQ(PlaybackStatusName(MediaMode::Stopped, 0, 1000), "Paused");
    // At its end a file is over: a play starts it again from the beginning.
    EXPECT_EQ(PlaybackStatusName(MediaMode::Stopped, 1000, 1000), "Stopped");
    EXPECT_EQ(PlaybackStatusName(MediaMode::NotReady, 0, 0), "Stopped");
}

TEST(MprisValuesTest, LoopStatusMapsLoopOnBothWays) {
    EXPECT_EQ(LoopStatusName(1), "Playlist");
    EXPECT_EQ(LoopStatusName(0), "None");
    // Any byte but 1 is off, as the program tests it.
    EXPECT_EQ(LoopStatusName(2), "None");
    EXPECT_EQ(LoopWanted("Playlist"), true);
    EXPECT_EQ(LoopWanted("None"), false);
    EXPECT_EQ(LoopWanted("Track"), std::nullopt);
    EXPECT_EQ(LoopWanted("playlist"), std::nullopt);
    EXPECT_EQ(LoopWanted(""), std::nullopt);
}

TEST(MprisValuesTest, TrackIdsDifferForEveryOpenAndNameNoTrackBeforeTheFirst) {
    EXPECT_EQ(TrackIdPath(0), "/org/mpris/MediaPlayer2/TrackList/NoTrack");
    EXPECT_EQ(TrackIdPath(1), "/org/mpris/MediaPlayer2/quavrel/track/1");
    EXPECT_NE(TrackIdPath(2), TrackIdPath(3));
}

TEST(MprisValuesTest, RelativeSeekStaysInsideTheFileOrMovesOn) {
    EXPECT_EQ(SeekTargetMs(1000, 5000, 2'000'000), 3000);
    EXPECT_EQ(SeekTargetMs(1000, 5000, -500'000), 500);
    EXPECT_EQ(SeekTargetMs(1000, 5000, -5'000'000), 0);  // never before the start
    EXPECT_EQ(SeekTargetMs(1000, 5000, 4'000'000), 5000);
    EXPECT_EQ(SeekTargetMs(1000, 5000, 4'001'000), std::nullopt);  // past the end: next track
    constexpr auto max = std::numeric_limits<std::int64_t>::max();
    constexpr auto min = std::numeric_limits<std::int64_t>::min();
    EXPECT_EQ(SeekTargetMs(1000, 5000, max), std::nullopt);
    EXPECT_EQ(SeekTargetMs(1000, 5000, min), 0);
}

TEST(MprisValuesTest, AbsolutePositionOutsideTheFileChangesNothing) {
    EXPECT_EQ(PositionTargetMs(5000, 0), 0);
    EXPECT_EQ(PositionTargetMs(5000, 2'500'400), 2500);
    EXPECT_EQ(PositionTargetMs(5000, 5'000'000), 5000);
    EXPECT_EQ(PositionTargetMs(5000, 5'001'000), std::nullopt);
    EXPECT_EQ(PositionTargetMs(5000, -1), std::nullopt);
}

}  // namespace
