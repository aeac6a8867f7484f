// The play order on a fake device with a fixed clock: order and shuffle, loop, the transport
// commands, the preview, and the texts naming what plays.
#include "SequencerFixture.h"

namespace {

class SequencerTest : public SequencerFixture {};

// The shuffle order the design gives for a clock reading, worked out here on its own: the seed
// is the time of day in ms; each draw is seed := seed * 134775813 + 1 mod 2^32, index
// (seed * n) div 2^32; draws go on until an entry not yet played comes up.
int ExpectedDraw(std::uint32_t timeOfDayMs, const std::vector<bool>& unplayed) {
    std::uint64_t seed = timeOfDayMs;
    for (;;) {
        seed = (seed * 134775813ull + 1ull) % (1ull << 32);
        const auto index = static_cast<int>((seed * unplayed.size()) >> 32);
        if (unplayed[index])
            return index;
    }
}

TEST_F(SequencerTest, OrderWithLoopOffEndsAfterTheLastAndNextStartsAgainAtTheFirst) {
    AddEntries(3);
    state_.LoopOn = 0;
    sequencer_.NextSClick();
    EXPECT_EQ(Playing(), "s0");
    EXPECT_EQ(list_.Focused(), 0);
    EXPECT_TRUE(list_.IsSelected(0));
    FinishFile();
    EXPECT_EQ(Playing(), "s1");
    EXPECT_EQ(state_.PlayIndex, 1);
    EXPECT_EQ(list_.SelectedCount(), 1);
    FinishFile();
    EXPECT_EQ(Playing(), "s2");
    device_.ClearLog();
    FinishFile();
    EXPECT_EQ(list_.SelectedCount(), 0);
    EXPECT_EQ(list_.Focused(), -1);
    EXPECT_EQ(device_.Mode(), MediaMode::Stopped);
    EXPECT_EQ(device_.Log(), std::vector<std::string>{});
    EXPECT_EQ(display_.toolTip, "Stopped");

    sequencer_.NextSClick();
    EXPECT_EQ(Playing(), "s0");
    EXPECT_EQ(device_.Mode(), MediaMode::Playing);
}

TEST_F(SequencerTest, OrderWithLoopOnPlaysTheFirstAfterTheLast) {
    AddEntries(2);
    sequencer_.NextSClick();
    FinishFile();
    EXPECT_EQ(Playing(), "s1");
    FinishFile();
    EXPECT_EQ(Playing(), "s0");
    EXPECT_EQ(list_.Focused(), 0);
    EXPECT_EQ(list_.SelectedCount(), 1);
}

TEST_F(SequencerTest, PreviousWrapsToTheLastWithLoopOnOrOff) {
    AddEntries(3);
    for (std::uint8_t loop : {0, 1}) {
        state_.LoopOn = loop;
        list_.DeselectAll();
        list_.Focus(-1);
        sequencer_.PrevSClick();  // nothing selected: the last entry
        EXPECT_EQ(Playing(), "s2");
        sequencer_.PrevSClick();
        EXPECT_EQ(Playing(), "s1");
        sequencer_.PrevSClick();
        EXPECT_EQ(Playing(), "s0");
        sequencer_.PrevSClick();
        EXPECT_EQ(Playing(), "s2");
        EXPECT_EQ(list_.Focused(), 2);
        EXPECT_EQ(list_.SelectedCount(), 1);
        EXPECT_EQ(state_.PlayIndex, 2);
    }
}

TEST_F(SequencerTest, ShuffleWithLoopOffPlaysEachEntryOnceInTheGeneratorsOrder) {
    constexpr int count = 7;
    AddEntries(count);
    state_.LoopOn = 0;
    sequencer_.ShuffleClick();
    EXPECT_EQ(state_.ShuffleOn, 1);
    EXPECT_EQ(list_.SelectedCount(), count);

    std::vector<bool> unplayed(count, true);
    std::vector<std::string> expected, played;
    std::uint32_t drawnAt = 0;
    for (int k = 0; k < count; ++k) {
        const std::uint32_t now = 3600000u + 977u * k;  // the clock moves between files
        clock_.Set(now);
        // The first entry is drawn by Next; each later one when the entry before it started,
        // so that it could be queued to follow without a gap.
        const int index = ExpectedDraw(k == 0 ? now : drawnAt, unplayed);
        drawnAt = now;
        unplayed[index] = false;
        expected.push_back("s" + std::to_string(index));
        if (k == 0)
            sequencer_.NextSClick();
        else
            FinishFile();
        played.push_back(Playing());
        EXPECT_EQ(list_.Focused(), index);
        EXPECT_FALSE(list_.IsSelected(index));
        EXPECT_EQ(state_.PlayIndex, index);
    }
    EXPECT_EQ(played, expected);
    std::vector<std::string> sorted = played;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::unique(sorted.begin(), sorted.end()), sorted.end());

    device_.ClearLog();
    FinishFile();  // the pass is over: nothing more starts
    sequencer_.NextSClick();
    sequencer_.PrevSClick();
    EXPECT_EQ(device_.Log(), std::vector<std::string>{});
}

TEST_F(SequencerTest, ShuffleWithLoopOnStartsANewPassAndAHandPickedEntryComesNext) {
    AddEntries(4);
    sequencer_.ShuffleClick();
    sequencer_.NextSClick();
    for (int k = 0; k < 3; ++k)
        FinishFile();
    EXPECT_EQ(list_.SelectedCount(), 0);
    FinishFile();  // every entry played: all are selected again and one of them starts
    EXPECT_EQ(list_.SelectedCount(), 3);
    EXPECT_EQ(device_.Mode(), MediaMode::Playing);

    list_.SelectOnly(2);  // the user's click: that entry alone is unplayed
    FinishFile();
    EXPECT_EQ(Playing(), "s2");
    EXPECT_EQ(list_.SelectedCount(), 0);
}

// Counts what a view would repaint.
class NoticeCounter final : public PlayListObserver {
public:
    void EntriesInserted(int, int) override {}
    void EntriesRemoved(int, int) override {}
    void EntryMoved(int, int) override {}
    void EntriesChanged(int, int) override { ++changes; }
    void TagsChanged(int, int) override { ++tagChanges; }
    void FocusChanged(int, int) override { ++focusChanges; }
    void Reset() override {}
    int changes = 0, focusChanges = 0, tagChanges = 0;
};

TEST_F(SequencerTest, AShuffleNextShowsOnlyItsFinalChoiceHoweverManyDrawsItTakes) {
    constexpr int count = 2000;
    AddEntries(count);
    state_.ShuffleOn = 1;
    state_.LoopOn = 0;
    const int unplayed = 1234;
    list_.Select(unplayed);
    std::vector<bool> marks(count, false);
    marks[unplayed] = true;
    EXPECT_EQ(ExpectedDraw(clock_.TimeOfDayMs(), marks), unplayed);
    NoticeCounter counter;
    list_.AddObserver(&counter);
    sequencer_.NextSClick();
    list_.RemoveObserver(&counter);
    EXPECT_EQ(Playing(), "s1234");
    EXPECT_EQ(counter.focusChanges, 1);
    EXPECT_EQ(counter.changes, 1);     // the chosen entry's mark
    EXPECT_EQ(counter.tagChanges, 1);  // and the length the device told at the open
}

TEST_F(SequencerTest, SwitchingShuffleOffDeselectsEverythingSoNextStartsAtTheFirst) {
    AddEntries(3);
    sequencer_.ShuffleClick();
    sequencer_.NextSClick();
    sequencer_.ShuffleClick();
    EXPECT_EQ(state_.ShuffleOn, 0);
    EXPECT_EQ(list_.SelectedCount(), 0);
    sequencer_.NextSClick();
    EXPECT_EQ(Playing(), "s0");
}

TEST_F(SequencerTest, SeveralSelectedEntriesInOrderOpenTheFirstSelected) {
    AddEntries(4);
    list_.Select(0);
    list_.Select(2);
    list_.Focus(2);
    sequencer_.NextSClick();  // the focus moves on to s3, but s0 is the first selected
    EXPECT_EQ(Playing(), "s0");
    EXPECT_EQ(state_.PlayIndex, 0);
    EXPECT_EQ(list_.Focused(), 3);
}

TEST_F(SequencerTest, APreviewOfFiveSecondsEndsOnTheTwentySixthTick) {
    AddEntries(2, 60000);
    state_.LoopOn = 0;
    state_.PlayMode = 1;
    display_.previewEnabled = true;
    sequencer_.NextSClick();
    for (int tick = 1; tick <= 25; ++tick) {
        device_.Advance(200);
        Tick();
    }
    EXPECT_EQ(Playing(), "s0");
    device_.Advance(200);
    Tick();
    EXPECT_EQ(Playing(), "s1");
    EXPECT_EQ(state_.PreviewTicks, 0);

    for (int tick = 1; tick <= 26; ++tick)
        Tick();  // the end of the list with loop off: the last preview is cut
    EXPECT_EQ(device_.Mode(), MediaMode::Stopped);
    EXPECT_EQ(list_.SelectedCount(), 0);
    EXPECT_EQ(state_.PreviewTicks, 0);
}

TEST_F(SequencerTest, APreviewLengthThatCannotWorkIsResetToOneWhenTheNextFileOpens) {
    AddEntries(1, 4000);
    state_.PlayMode = 1;
    display_.previewEnabled = true;
    for (const char* text : {"0", "1", "4000", "99999"}) {
        display_.previewLength = text;
        sequencer_.PlayClick();  // nothing focused yet: nothing happens
        list_.Focus(0);
        device_.Close();
        sequencer_.PlayClick();
        EXPECT_EQ(display_.previewLength, "1") << text;
        EXPECT_EQ(device_.Mode(), MediaMode::Playing);
        list_.Focus(-1);
    }
    display_.previewLength = "2";
    list_.Focus(0);
    device_.Close();
    sequencer_.PlayClick();
    EXPECT_EQ(display_.previewLength, "2");
}

TEST_F(SequencerTest, AnEmptiedPreviewLengthIsRefilledAndThatStopsTheFile) {
    AddEntries(1);
    state_.PlayMode = 1;
    display_.previewEnabled = true;
    sequencer_.NextSClick();
    display_.previewLength = "";
    device_.Advance(200);
    Tick();
    EXPECT_EQ(display_.previewLength, "5");
    EXPECT_EQ(device_.Mode(), MediaMode::Stopped);
    const std::int64_t stoppedAt = device_.Position();

    device_.ClearLog();
    sequencer_.PlayClick();  // continues where it stopped
    EXPECT_EQ(device_.Log(), std::vector<std::string>{"play"});
    EXPECT_EQ(device_.Position(), stoppedAt);
}

TEST_F(SequencerTest, PlayOnTheOpenEntryContinuesItAndOnAnotherOpensThat) {
    AddEntries(2);
    sequencer_.NextSClick();
    device_.Advance(3000);
    sequencer_.PauseClick();
    EXPECT_EQ(device_.Mode(), MediaMode::Stopped);
    sequencer_.PauseClick();  // never resumes
    EXPECT_EQ(device_.Mode(), MediaMode::Stopped);
    device_.ClearLog();
    sequencer_.PlayClick();
    EXPECT_EQ(device_.Log(), std::vector<std::string>{"play"});
    EXPECT_EQ(device_.Position(), 3000);

    list_.Focus(1);
    device_.ClearLog();
    sequencer_.PlayClick();
    EXPECT_EQ(device_.Log(), (std::vector<std::string>{"close", "open /m/s1.wav", "play"}));
    EXPECT_EQ(state_.PlayIndex, 1);
    EXPECT_GT(device_.DeliverNotices(), 0);  // the first file's plays ended as aborted...
    EXPECT_EQ(Playing(), "s1");              // ...which does not advance
    EXPECT_EQ(device_.Mode(), MediaMode::Playing);
}

TEST_F(SequencerTest, AMissingFileAtTheFocusedEntryIsRemovedAndNothingPlays) {
    AddEntries(2);
    list_.Append(PlayListEntry{"gone", "", "/m/gone.wav", 0});
    list_.Focus(2);
    state_.DragSourceItem = 0;
    sequencer_.PlayClick();
    EXPECT_EQ(list_.Count(), 2);
    EXPECT_EQ(display_.caption, "Quavrel v2.0 ");
    EXPECT_EQ(state_.DragSourceItem, -1);
    EXPECT_EQ(device_.Mode(), MediaMode::NotReady);
    EXPECT_TRUE(list_.IsConsistent());
}

TEST_F(SequencerTest, AFileStartingNamesItselfInTheCaptionAndTooltip) {
    AddEntries(2);
    list_.SetCaption(1, "Second Song");
    list_.Focus(1);
    sequencer_.PlayClick();
    EXPECT_EQ(display_.caption, "[ Second Song ] Quavrel v2.0");
    EXPECT_EQ(display_.toolTip, "Playing s1.wav");
    EXPECT_EQ(state_.NowPlayingText, "Second Song");
    EXPECT_EQ(display_.trackMax, 10000);

    state_.PlayIndex = 5;  // beyond the list: the file name names it
    sequencer_.PlayFile();
    EXPECT_EQ(state_.NowPlayingText, "Playing s1.wav");
    EXPECT_EQ(display_.caption, "[ Playing s1.wav ] Quavrel v2.0");
}

TEST_F(SequencerTest, OnlyASuccessfulEndAdvancesTheList) {
    AddEntries(3);
    sequencer_.NextSClick();
    device_.Advance(500);
    sequencer_.TimerTimer(true);
    display_.trackPosition = 9000;
    sequencer_.TrackBarChange();  // a seek while playing: aborted, then plays on
    EXPECT_EQ(device_.Mode(), MediaMode::Playing);
    device_.DeliverNotices();
    EXPECT_EQ(Playing(), "s0");
    FinishFile();  // the end after the seek still advances
    EXPECT_EQ(Playing(), "s1");
}

TEST_F(SequencerTest, CommandsOnAnEmptyListDoNothing) {
    sequencer_.NextSClick();
    sequencer_.PrevSClick();
    sequencer_.PlayClick();
    sequencer_.PauseClick();
    sequencer_.TrackBarChange();
    EXPECT_TRUE(device_.Log().empty());
}

TEST_F(SequencerTest, ModeNamesFollowTheDeviceModes) {
    EXPECT_EQ(Sequencer::ModeName(0), "Not ready");
    EXPECT_EQ(Sequencer::ModeName(1), "Stopped");
    EXPECT_EQ(Sequencer::ModeName(4), "Seeking");
    EXPECT_EQ(Sequencer::ModeName(6), "Open");
    EXPECT_EQ(Sequencer::PreviewSeconds("12"), 12);
    EXPECT_EQ(Sequencer::PreviewSeconds(""), 5);
    EXPECT_EQ(Sequencer::PreviewSeconds("99999999999999999999"), 2147483647);
}

TEST_F(SequencerTest, AFileWhoseTagsToldNoLengthKeepsTheOneTheDeviceFound) {
    AddEntries(3, 42000);
    TrackTags told;
    told.Title = "Tagged";
    told.LengthMs = 5000;  // from the file's tags: stays
    list_.SetTags({{1, std::make_shared<TrackTags>(told)}});
    TrackTags lengthless;
    lengthless.Title = "No length";
    list_.SetTags({{2, std::make_shared<TrackTags>(lengthless)}});
    state_.LoopOn = 0;
    sequencer_.NextSClick();
    ASSERT_TRUE(list_.At(0).Tags);  // no tags read yet: the length alone
    EXPECT_EQ(list_.At(0).Tags->LengthMs, 42000);
    EXPECT_EQ(list_.At(0).Tags->Title, "");
    FinishFile();
    EXPECT_EQ(list_.At(1).Tags->LengthMs, 5000);
    FinishFile();
    EXPECT_EQ(list_.At(2).Tags->LengthMs, 42000);
    EXPECT_EQ(list_.At(2).Tags->Title, "No length");
}

}  // namespace
