#include "widgets/AboutAnimation.h"

#include <gtest/gtest.h>

namespace {

// The About window as designed, with label sizes picked for the test.
AboutLayout Designed() {
    AboutLayout layout;
    layout.Panel1 = {185, 0, 0, 41};
    layout.Build = {443, 73, 30, 17};
    layout.Label1 = {-220, 52, 120, 15};
    layout.Label2 = {-601, 96, 160, 15};
    layout.MMLabel1 = {118, -387, 200, 22};
    layout.MMLabel2 = {576, 96, 110, 15};
    layout.BitBtn1 = {135, 176, 105, 23};
    return layout;
}

TEST(AboutAnimationTest, EveryPartComesToRestInPlace) {
    AboutLayout layout = Designed();
    int ticks = 0;
    while (AboutAnimationStep(layout, 373)) {
        ++ticks;
        ASSERT_EQ(layout.Panel1.Left * 2 + layout.Panel1.Width, 370) << "grows from its centre";
        ASSERT_LT(ticks, 1000);
    }
    EXPECT_EQ(ticks, 115);  // 21 ticks for the version to arrive, then 94 for the title bar
    EXPECT_EQ(layout.Panel1.Left, -3);
    EXPECT_EQ(layout.Panel1.Width, 376);
    EXPECT_EQ(layout.Build.Left, 317);
    EXPECT_EQ(layout.Label1.Left, 236);
    EXPECT_EQ(layout.Label2.Left, 23);
    EXPECT_EQ(layout.MMLabel1.Top, 147);
    EXPECT_EQ(layout.MMLabel2.Left, 240);
    EXPECT_EQ(layout.BitBtn1.Top, 176);

    // At rest nothing moves any more: a second showing finds everything in place.
    const AboutLayout rested = layout;
    for (int i = 0; i < 10; ++i)
        EXPECT_FALSE(AboutAnimationStep(layout, 373));
    EXPECT_EQ(layout.Panel1.Width, rested.Panel1.Width);
    EXPECT_EQ(layout.Label2.Left, rested.Label2.Left);
    EXPECT_EQ(layout.MMLabel1.Top, rested.MMLabel1.Top);
}

TEST(AboutAnimationTest, TitleBarGrowsOnlyOnceTheVersionHasArrived) {
    AboutLayout layout = Designed();
    for (int tick = 1; tick <= 21; ++tick) {
        AboutAnimationStep(layout, 373);
        EXPECT_EQ(layout.Panel1.Width, 0) << "tick " << tick;
    }
    EXPECT_EQ(layout.Build.Left, 317);
    AboutAnimationStep(layout, 373);
    EXPECT_EQ(layout.Panel1.Left, 183);
    EXPECT_EQ(layout.Panel1.Width, 4);
}

TEST(AboutAnimationTest, OuterWidthWithAFrameStillBringsEverythingToRest) {
    AboutLayout layout = Designed();
    int ticks = 0;
    while (AboutAnimationStep(layout, 379) && ticks < 1000)
        ++ticks;
    EXPECT_LT(ticks, 1000);
    EXPECT_GE(layout.Panel1.Width, 379);
    EXPECT_LT(layout.Build.Left, 379 - 30 - 20);
    EXPECT_GT(layout.MMLabel2.Left + 6, 379 - 110 - 20);
}

}  // namespace
