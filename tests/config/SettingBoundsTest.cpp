#include "config/SettingBounds.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

TEST(SettingBoundsTest, SizesBeyondAnyScreenTakeTheirDefaultOthersAreKeptToTheScreen) {
    EXPECT_EQ(BoundedSize(kMax, 1, 410, 1920), 410);
    EXPECT_EQ(BoundedSize(kMin, 1, 410, 1920), 410);
    EXPECT_EQ(BoundedSize(0, 1, 410, 1920), 410);
    EXPECT_EQ(BoundedSize(0, 0, 151, 1080), 0);  // a pane may be folded away
    EXPECT_EQ(BoundedSize(kAbsurdPixels, 1, 410, 0), 410);
    EXPECT_EQ(BoundedSize(5000, 1, 410, 1920), 1920);
    EXPECT_EQ(BoundedSize(5000, 1, 410, 0), 5000);  // no screen known
    EXPECT_EQ(BoundedSize(800, 1, 410, 1920), 800);
}

TEST(SettingBoundsTest, PositionsAreKeptInTheirRangeAbsurdOnesTakeTheirDefault) {
    EXPECT_EQ(BoundedPosition(kMax, 0, 0, 1920), 0);
    EXPECT_EQ(BoundedPosition(-kAbsurdPixels, 7, 0, 1920), 7);
    EXPECT_EQ(BoundedPosition(-40, 0, 0, 1920), 0);
    EXPECT_EQ(BoundedPosition(3000, 0, 0, 1920), 1920);
    EXPECT_EQ(BoundedPosition(300, 0, 0, 1920), 300);
    EXPECT_EQ(BoundedPosition(300, 0, 10, 5), 10);
}

TEST(SettingBoundsTest, AWindowIsMovedAndShrunkIntoTheScreens) {
    const ScreenArea twoScreens{0, 0, 3840, 1080};
    EXPECT_EQ(KeepOnScreen({100, 100, 410, 458}, twoScreens), (WindowRect{100, 100, 410, 458}));
    EXPECT_EQ(KeepOnScreen({3800, 1000, 410, 458}, twoScreens), (WindowRect{3430, 622, 410, 458}));
    EXPECT_EQ(KeepOnScreen({-500, -500, 410, 458}, twoScreens), (WindowRect{0, 0, 410, 458}));
    EXPECT_EQ(KeepOnScreen({kMax, kMin, kMax, kMax}, twoScreens), (WindowRect{0, 0, 3840, 1080}));
    // A screen left of the primary one has negative coordinates.
    const ScreenArea leftOfPrimary{-1280, 0, 3200, 1024};
    EXPECT_EQ(KeepOnScreen({-1000, 50, 300, 300}, leftOfPrimary),
              (WindowRect{-1000, 50, 300, 300}));
    EXPECT_EQ(KeepOnScreen({kMax, 5, 300, 300}, ScreenArea{}), (WindowRect{kMax, 5, 300, 300}));
}

}  // namespace
