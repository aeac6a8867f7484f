// What the sequencer names to the device as the next entry, so that the two can join without a
// gap: always the entry that Next would play, kept so through edits and mode switches; nothing
// in preview, after a stream or when this entry is the last. And internet streams in the play
// order: their titles, no length, and a lost stream that stays in the list.
#include "SequencerFixture.h"
#include "playback/ProgressText.h"

namespace {

class SequencerQueueTest : public SequencerFixture {
protected:
    std::string Queued() const { return device_.Queued(); }
    static std::string File(int i) { return "/m/s" + std::to_string(i) + ".wav"; }
};

TEST_F(SequencerQueueTest, TheQueuedEntryIsTheOneNextPlaysInOrderLoopedOrNot) {
    AddEntries(3);
    sequencer_.NextSClick();
    EXPECT_EQ(Queued(), File(1));
    FinishFile();
    EXPECT_EQ(device_.Log().back(), "play");
    EXPECT_EQ(device_.Log().end()[-2], "join " + File(1)) << "taken over, not opened again";
    EXPECT_EQ(Playing(), "s1");
    EXPECT_EQ(Queued(), File(2));
    FinishFile();
    EXPECT_EQ(Queued(), File(0)) << "loop on: the first follows the last";
    sequencer_.TBLoopClick();
    EXPECT_EQ(Queued(), "") << "loop off: nothing follows the last";
    sequencer_.TBLoopClick();
    EXPECT_EQ(Queued(), File(0));
}

TEST_F(SequencerQueueTest, EditsThatChangeWhatComesNextReplaceTheQueuedEntry) {
    AddEntries(5);
    sequencer_.NextSClick();  // s0 plays, s1 queued
    list_.Delete(1);
    EXPECT_EQ(Queued(), File(2)) << "the next entry was deleted";
    list_.Move(3, 1);  // s4 moves behind the playing entry
    EXPECT_EQ(Queued(), File(4));
    list_.Append(PlayListEntry{"late", "WAV audio", "/m/late.wav", 0});
    EXPECT_EQ(Queued(), File(4)) << "an entry at the end changes nothing";
    list_.SelectOnly(2);  // the user clicks an entry: Next goes on from there
    list_.Focus(2);
    EXPECT_EQ(Queued(), File(3));
    list_.SortBy([this](int a, int b) { return list_.At(a).Caption > list_.At(b).Caption; });
    EXPECT_TRUE(list_.IsConsistent());
    const int next = sequencer_.PlannedNext();
    ASSERT_GE(next, 0);
    EXPECT_EQ(Queued(), list_.At(next).Path) << "a sort queues the new neighbour";
    EXPECT_GT(device_.QueueChanges(), 4);
}

TEST_F(SequencerQueueTest, ShuffleQueuesItsDrawAndNextPlaysThatEntry) {
    AddEntries(8);
    sequencer_.ShuffleClick();
    sequencer_.NextSClick();
    for (int played = 1; played < 8; ++played) {
        const std::string queued = Queued();
        ASSERT_FALSE(queued.empty());
        clock_.Set(clock_.TimeOfDayMs() + 777);  // a later draw would differ
        FinishFile();
        EXPECT_EQ(device_.FileName(), queued);
        EXPECT_EQ(device_.Log().end()[-2], "join " + queued);
    }
    EXPECT_EQ(list_.SelectedCount(), 0);
    EXPECT_FALSE(Queued().empty()) << "loop on: a new pass follows";
    sequencer_.TBLoopClick();
    EXPECT_EQ(Queued(), "") << "loop off: the pass is over";
}

TEST_F(SequencerQueueTest, SwitchingShuffleRequeuesAndAHandPickedEntryComesNext) {
    AddEntries(6);
    sequencer_.NextSClick();
    EXPECT_EQ(Queued(), File(1));
    sequencer_.ShuffleClick();  // every entry unplayed: a draw among them
    const int planned = sequencer_.PlannedNext();
    EXPECT_EQ(Queued(), File(planned));
    list_.SelectOnly(4);
    EXPECT_EQ(Queued(), File(4));
    FinishFile();
    EXPECT_EQ(Playing(), "s4");
}

TEST_F(SequencerQueueTest, PreviewAndStopAfterThisEntryQueueNothing) {
    AddEntries(3);
    sequencer_.NextSClick();
    state_.PlayMode = 1;
    display_.previewEnabled = true;
    sequencer_.RefreshQueue();
    EXPECT_EQ(Queued(), "");
    state_.PlayMode = 0;
    display_.previewEnabled = false;
    Tick();  // a mode changed behind the sequencer's back is seen at the next step
    EXPECT_EQ(Queued(), File(1));

    sequencer_.StopAfterEntryClick();
    EXPECT_EQ(state_.StopAfterEntry, 1);
    EXPECT_EQ(Queued(), "");
    FinishFile();
    EXPECT_EQ(device_.Mode(), MediaMode::Stopped) << "nothing follows";
    EXPECT_EQ(device_.FileName(), File(0));
    EXPECT_EQ(display_.toolTip, "Stopped");
    EXPECT_EQ(state_.StopAfterEntry, 0) << "cleared by its use";
    sequencer_.NextSClick();
    FinishFile();
    EXPECT_EQ(Playing(), "s2") << "and the order goes on as before";
}

class SequencerStreamTest : public SequencerFixture {
protected:
    void AddStation(const std::string& caption, const std::string& address, bool reachable) {
        if (reachable)
            device_.AddStream(address);
        list_.Append(PlayListEntry{caption, "Stream", address, 0});
    }
};

TEST_F(SequencerStreamTest, AStreamShowsItsTitlesAndNoLength) {
    AddStation("Radio", "http://127.0.0.1:1/radio", true);
    AddEntries(1);
    sequencer_.NextSClick();
    EXPECT_EQ(display_.caption, "[ Radio ] Quavrel v2.0");
    EXPECT_EQ(display_.trackMax, 0);
    EXPECT_EQ(device_.Queued(), "") << "a stream has no end to join at";
    Tick();
    EXPECT_EQ(display_.lcd, ProgressText::NoLengthStream);
    device_.SetStreamTitle("Test Radio - Title 1");
    Tick();
    EXPECT_EQ(display_.caption, "[ Test Radio - Title 1 ] Quavrel v2.0");
    EXPECT_EQ(display_.toolTip, "Test Radio - Title 1");
    EXPECT_EQ(state_.NowPlayingText, "Test Radio - Title 1");
    device_.SetStreamTitle("Test Radio - Title 2");
    Tick();
    EXPECT_EQ(display_.caption, "[ Test Radio - Title 2 ] Quavrel v2.0");
    display_.trackPosition = 0;
    device_.ClearLog();
    sequencer_.TrackBarChange();
    EXPECT_EQ(device_.Log(), std::vector<std::string>{}) << "nowhere to seek in a stream";
}

TEST_F(SequencerStreamTest, AStreamThatFailsKeepsItsEntryAndTheCaptionFallsBack) {
    AddStation("Dead", "https://127.0.0.1:1/dead", false);
    AddEntries(2);
    sequencer_.NextSClick();
    device_.DeliverNotices();
    EXPECT_EQ(display_.caption, Sequencer::IdleCaption);
    EXPECT_EQ(list_.Count(), 3) << "a station that is down is no bad file";
    EXPECT_EQ(list_.At(0).Path, "https://127.0.0.1:1/dead");
    EXPECT_EQ(device_.Mode(), MediaMode::NotReady);
    EXPECT_EQ(list_.Focused(), 0) << "the sequence stops there";
}

TEST_F(SequencerStreamTest, APreviewOfAStreamEndsAfterItsSeconds) {
    AddStation("Radio", "http://127.0.0.1:1/radio", true);
    AddEntries(1);
    state_.PlayMode = 1;
    display_.previewEnabled = true;
    display_.previewLength = "2";
    sequencer_.NextSClick();
    EXPECT_EQ(display_.previewLength, "2") << "a stream's length does not shorten it";
    for (int tick = 0; tick < 10; ++tick)
        Tick();
    EXPECT_EQ(Playing(), "Radio");
    Tick();
    EXPECT_EQ(Playing(), "s0");
}

}  // namespace
