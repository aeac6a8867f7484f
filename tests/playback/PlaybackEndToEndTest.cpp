// The play order on the real libmpv device (no sound output): a play list of three generated
// half-second WAV files, loaded from an M3U, plays through in order with the caption following
// each entry, then stops with loop off or starts again at the first with loop on.
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <filesystem>

#include "SequencerFixture.h"
#include "TQuavrel.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeMessageBox.h"
#include "fakes/FakeShellInfo.h"
#include "media/MpvMediaDevice.h"
#include "playlist/FileAdder.h"
#include "playlist/PlayListFiles.h"
#include "services/QtUiPost.h"
#include "support/TempDir.h"
#include "support/WavWriter.h"

namespace {

class PlaybackEndToEndTest : public ::testing::Test {
protected:
    PlaybackEndToEndTest()
        : device_(post_, MpvMediaDevice::Output::Null),
          sequencer_(state_, list_, device_, display_, clock_) {
        state_.LoopOn = 0;
        device_.SetOnNotify([this] { sequencer_.MediaPlayer1Notify(); });
        std::string lines;
        for (const char* name : {"one.wav", "two.wav", "three.wav"}) {
            WriteWav(dir_.File(name), 500);
            lines += std::string(name) + "\r\n";  // relative: found beside the list
        }
        m3u_ = dir_.Write("list.m3u", lines);
    }

    // Loads the list and starts it as the main window does: loop forced on for the one call.
    void LoadAndStart() {
        const auto outcome = PlayListFiles::Load(m3u_, list_, adder_);
        ASSERT_EQ(outcome, PlayListFiles::LoadOutcome::AllAdded);
        const std::uint8_t loop = state_.LoopOn;
        state_.LoopOn = 1;
        sequencer_.NextSClick();
        state_.LoopOn = loop;
    }

    // Runs the event loop, noting every new window caption, until done() or the time is up.
    void RunUntil(const std::function<bool()>& done, int limitMs) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < limitMs) {
            QEventLoop loop;
            QTimer::singleShot(10, &loop, &QEventLoop::quit);
            loop.exec();
            if (captions_.empty() || captions_.back() != display_.caption)
                captions_.push_back(display_.caption);
        }
    }

    TempDir dir_;
    std::string m3u_;
    QtUiPost post_;
    MpvMediaDevice device_;
    PlayerState state_;
    FakeShellInfo shell_;
    FileAdder adder_{shell_, nullptr};
    PlayList list_;
    RecordingDisplay display_;
    FakeClock clock_;
    Sequencer sequencer_;
    std::vector<std::string> captions_;
};

TEST_F(PlaybackEndToEndTest, PlaysThroughInOrderAndStopsAfterTheLastWithLoopOff) {
    LoadAndStart();
    RunUntil([this] { return list_.Focused() == -1; }, 5000);
    EXPECT_EQ(captions_, (std::vector<std::string>{"[ one ] Quavrel v2.0", "[ two ] Quavrel v2.0",
                                                   "[ three ] Quavrel v2.0"}));
    EXPECT_EQ(list_.Focused(), -1);
    EXPECT_EQ(list_.SelectedCount(), 0);
    RunUntil([] { return false; }, 300);  // nothing more starts
    EXPECT_EQ(device_.Mode(), MediaMode::Stopped);
    EXPECT_EQ(display_.toolTip, "Stopped");
    EXPECT_EQ(captions_.size(), 3u);
}

TEST_F(PlaybackEndToEndTest, StartsAgainAtTheFirstWithLoopOn) {
    state_.LoopOn = 1;
    LoadAndStart();
    RunUntil([this] { return captions_.size() >= 4; }, 5000);
    ASSERT_EQ(captions_.size(), 4u);
    EXPECT_EQ(captions_[3], "[ one ] Quavrel v2.0");
    EXPECT_EQ(list_.Focused(), 0);
    EXPECT_EQ(device_.Mode(), MediaMode::Playing);
}

// The same list loaded by the main window itself, offscreen, on the real device.
TEST_F(PlaybackEndToEndTest, TheMainWindowPlaysALoadedListThroughWithItsCaptionFollowing) {
    TempDir settings;
    FakeMessageBox messages;
    FakeDialogs dialogs;
    device_.SetOnNotify({});
    TQuavrel window(QuavrelServices{device_, clock_, messages, dialogs, settings.Path().string(),
                                    [] { return true; }});
    window.TBLoopClick();  // loop off
    window.LoadIt(m3u_);
    std::vector<QString> titles;
    QElapsedTimer timer;
    timer.start();
    while (window.PlayListModel().Focused() != -1 && timer.elapsed() < 5000) {
        if (titles.empty() || titles.back() != window.windowTitle())
            titles.push_back(window.windowTitle());
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec();
    }
    EXPECT_EQ(titles, (std::vector<QString>{"[ one ] Quavrel v2.0", "[ two ] Quavrel v2.0",
                                            "[ three ] Quavrel v2.0"}));
    EXPECT_EQ(window.PlayListModel().Focused(), -1);
    EXPECT_EQ(device_.Mode(), MediaMode::Stopped);
    EXPECT_EQ(window.State().LoopOn, 0);
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
