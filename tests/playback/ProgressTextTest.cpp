// The progress step on a fake device: the LCD's percentage, the tooltip, the track bar, and
// seeking with the track bar.
#include "SequencerFixture.h"
#include "playback/ProgressText.h"

namespace {

class ProgressTextTest : public SequencerFixture {
protected:
    void SetUp() override {
        AddEntries(1, 100000);
        list_.SetCaption(0, "Song");
        sequencer_.NextSClick();
    }
};

TEST_F(ProgressTextTest, ShowsThePartPlayedOrRemainingInTheLcdAndTooltip) {
    device_.Advance(42000);
    Tick();
    EXPECT_EQ(display_.lcd, "42%");
    EXPECT_EQ(display_.toolTip, "Song  (Played 42%)");
    EXPECT_EQ(display_.trackPosition, 42000);

    state_.ShowRemaining = 1;
    Tick();
    EXPECT_EQ(display_.lcd, "58%");
    EXPECT_EQ(display_.toolTip, "Song  (Remaining 58%)");
}

TEST_F(ProgressTextTest, TheStartAndTheEndShowZeroAndAHundred) {
    Tick();
    EXPECT_EQ(display_.lcd, "0%");
    state_.ShowRemaining = 1;
    Tick();
    EXPECT_EQ(display_.lcd, "100%");
    device_.Advance(99999);
    state_.ShowRemaining = 0;
    Tick();
    EXPECT_EQ(display_.lcd, "99%");
    EXPECT_EQ(ProgressText::LcdCaption(100, 0), "100%");
    EXPECT_EQ(ProgressText::LcdCaption(100, 1), "0%");
}

TEST_F(ProgressTextTest, TheTooltipIsBuiltFromTheCaptionTheLabelHolds) {
    EXPECT_EQ(ProgressText::ToolTip("A", "42%", 0), "A  (Played 42%)");
    EXPECT_EQ(ProgressText::ToolTip("A", "4", 1), "A  (Remaining 4)");
}

TEST_F(ProgressTextTest, PercentagesOfLongFilesAreRight) {
    // 10 hours in ms: position * 100 is far beyond 32 bits.
    EXPECT_EQ(ProgressText::PercentPlayed(27'000'000, 36'000'000), 75);
    EXPECT_EQ(ProgressText::PercentPlayed(3'000'000'000, 4'000'000'000), 75);
}

TEST_F(ProgressTextTest, ALengthOfZeroShowsBlanksAndNeverEndsAPreview) {
    device_.AddFile("/m/empty.wav", 0);
    list_.Append(PlayListEntry{"Empty", "", "/m/empty.wav", 0});
    list_.Focus(1);
    sequencer_.PlayClick();
    state_.PlayMode = 1;
    display_.previewEnabled = true;
    display_.previewLength = "1";
    for (int tick = 0; tick < 40; ++tick)
        Tick();
    EXPECT_EQ(display_.lcd, "   ");
    EXPECT_EQ(display_.toolTip, "Empty");
    EXPECT_EQ(state_.PreviewTicks, 0);
    EXPECT_EQ(device_.FileName(), "/m/empty.wav");
}

TEST_F(ProgressTextTest, TicksWhileStoppedChangeNothing) {
    device_.Advance(10000);
    Tick();
    sequencer_.PauseClick();
    device_.Advance(10000);
    display_.lcd = "x";
    Tick();
    EXPECT_EQ(display_.lcd, "x");
}

TEST_F(ProgressTextTest, DraggingTheTrackBarWhileStoppedMovesThereWithoutPlaying) {
    sequencer_.PauseClick();
    display_.trackPosition = 50000;
    sequencer_.TrackBarChange();
    EXPECT_EQ(device_.Position(), 50000);
    EXPECT_EQ(device_.Mode(), MediaMode::Stopped);
    EXPECT_EQ(display_.lcd, "50%");
    EXPECT_EQ(display_.toolTip, "Song  (Played 50%)");
    device_.ClearLog();
    sequencer_.PlayClick();  // the same entry starts from there
    EXPECT_EQ(device_.Log(), std::vector<std::string>{"play"});
    EXPECT_EQ(device_.Position(), 50000);
}

TEST_F(ProgressTextTest, DraggingTheTrackBarWhilePlayingSeeksAtEveryStepAndPlaysOn) {
    for (std::int64_t at : {10000, 20000, 30000}) {
        display_.trackPosition = at;
        sequencer_.TrackBarChange();
        EXPECT_EQ(device_.Position(), at);
        EXPECT_EQ(device_.Mode(), MediaMode::Playing);
    }
    EXPECT_EQ(display_.lcd, "30%");
}

}  // namespace
