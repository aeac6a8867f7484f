// Parts of files played as files of their own (CUE tracks): over the fake device, where every
// command and notice can be watched, and over the real libmpv on a generated tone, where the
// parts must also meet without a gap.
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

#include "fakes/FakeMediaDevice.h"
#include "fakes/FakeOneShotTimer.h"
#include "media/MpvMediaDevice.h"
#include "media/RangedMediaDevice.h"
#include "mpris/TrackedMediaDevice.h"
#include "playlist/TrackPath.h"
#include "services/QtOneShotTimer.h"
#include "services/QtUiPost.h"
#include "support/TempDir.h"
#include "support/WavWriter.h"

namespace {

std::string Part(const std::string& file, std::int64_t startMs, std::int64_t endMs) {
    return TrackPathOf({file, startMs, endMs});
}

class RangedMediaDeviceTest : public ::testing::Test {
protected:
    RangedMediaDeviceTest() {
        fake_.AddFile("/m/album.wav", 180000);
        fake_.AddFile("/m/other.wav", 5000);
        parts_.SetOnNotify([this] {
            notices_.push_back(parts_.NotifyValue());
            if (onNotice_)
                onNotice_();
        });
    }
    void OpenAndPlay(const std::string& name) {
        parts_.SetFileName(name);
        parts_.Open();
        parts_.Notify(true);
        parts_.Play();
    }

    FakeMediaDevice fake_;
    FakeOneShotTimer timer_;
    RangedMediaDevice parts_{fake_, timer_};
    std::vector<NotifyResult> notices_;
    std::function<void()> onNotice_;
};

TEST_F(RangedMediaDeviceTest, AWholeFilePassesEveryCommandOn) {
    OpenAndPlay("/m/album.wav");
    parts_.Seek(1000);
    EXPECT_EQ(parts_.Length(), 180000);
    EXPECT_EQ(parts_.Position(), 1000);
    parts_.Close();
    EXPECT_EQ(fake_.Log(),
              (std::vector<std::string>{"open /m/album.wav", "play", "seek 1000", "close"}));
    EXPECT_FALSE(timer_.Waiting());
    fake_.DeliverNotices();
    EXPECT_EQ(notices_, std::vector<NotifyResult>{NotifyResult::Aborted});
}

TEST_F(RangedMediaDeviceTest, APartCountsItsLengthPositionAndSeeksWithinItself) {
    OpenAndPlay(Part("/m/album.wav", 60000, 90000));
    EXPECT_EQ(fake_.Log(), (std::vector<std::string>{"open /m/album.wav", "seek 60000", "play"}));
    EXPECT_EQ(parts_.Length(), 30000);
    EXPECT_EQ(parts_.Position(), 0);
    EXPECT_EQ(timer_.delay, 30000);  // the timer waits for the part's end
    fake_.Advance(12000);
    EXPECT_EQ(parts_.Position(), 12000);
    parts_.Seek(20000);
    EXPECT_EQ(fake_.Log().back(), "seek 80000");
    parts_.Seek(99999);  // never past the part
    EXPECT_EQ(fake_.Log().back(), "seek 90000");
    EXPECT_EQ(parts_.Position(), 30000);
    fake_.DeliverNotices();
    EXPECT_EQ(notices_, std::vector<NotifyResult>{NotifyResult::Aborted});
    // A play at the part's end starts the part again, not the file.
    fake_.ClearLog();
    parts_.Play();
    EXPECT_EQ(fake_.Log(), (std::vector<std::string>{"seek 60000", "play"}));
}

TEST_F(RangedMediaDeviceTest, TheNextPartOfTheFilePlaysOnWithoutAReopen) {
    const std::vector<std::string> tracks = {Part("/m/album.wav", 0, 60000),
                                             Part("/m/album.wav", 60000, 150000),
                                             Part("/m/album.wav", 150000, -1)};
    std::size_t next = 1;
    onNotice_ = [&] {
        if (notices_.back() == NotifyResult::Successful && next < tracks.size())
            OpenAndPlay(tracks[next++]);
    };
    OpenAndPlay(tracks[0]);
    fake_.ClearLog();
    fake_.Advance(60004);  // the timer wakes a little late
    timer_.Fire();
    EXPECT_EQ(notices_, std::vector<NotifyResult>{NotifyResult::Successful});
    EXPECT_TRUE(fake_.Log().empty());  // no open, no seek, no play: the sound runs on
    EXPECT_EQ(parts_.Length(), 90000);
    EXPECT_EQ(parts_.Position(), 4);
    EXPECT_EQ(parts_.Mode(), MediaMode::Playing);
    fake_.Advance(89996);
    timer_.Fire();
    EXPECT_EQ(parts_.Length(), 30000);  // the last part ends with the file
    EXPECT_FALSE(timer_.Waiting());
    fake_.PlayToEnd();
    EXPECT_EQ(fake_.DeliverNotices(), 1);
    EXPECT_TRUE(fake_.Log().empty());
    EXPECT_EQ(notices_, std::vector<NotifyResult>(3, NotifyResult::Successful));
    EXPECT_EQ(parts_.Position(), 30000);
}

TEST_F(RangedMediaDeviceTest, WithoutTheNextPartTheFileStopsAtThePartsEnd) {
    // Nothing follows (the list ended): the device stops, and its own notice of that is nobody's.
    OpenAndPlay(Part("/m/album.wav", 0, 60000));
    fake_.Advance(59990);
    timer_.Fire();  // early: it waits for the rest
    EXPECT_TRUE(notices_.empty());
    EXPECT_EQ(timer_.delay, 10);
    fake_.Advance(10);
    timer_.Fire();
    EXPECT_EQ(notices_, std::vector<NotifyResult>{NotifyResult::Successful});
    EXPECT_EQ(parts_.Mode(), MediaMode::Stopped);
    EXPECT_EQ(parts_.Position(), 60000);
    fake_.DeliverNotices();
    EXPECT_EQ(notices_.size(), 1u);
    // Another file follows (shuffle, or the next track of another file): it opens as usual,
    // and the ended part's notice of being replaced is nobody's either.
    onNotice_ = [&] {
        if (notices_.back() == NotifyResult::Successful)
            OpenAndPlay("/m/other.wav");
    };
    OpenAndPlay(Part("/m/album.wav", 60000, 90000));
    fake_.ClearLog();
    fake_.Advance(30000);
    timer_.Fire();
    EXPECT_EQ(fake_.Log(), (std::vector<std::string>{"close", "open /m/other.wav", "play"}));
    fake_.DeliverNotices();
    EXPECT_EQ(notices_.size(), 2u);
    EXPECT_EQ(parts_.Length(), 5000);
    // A part that is not the next one of the same file is opened and found anew.
    onNotice_ = [&] {
        if (notices_.back() == NotifyResult::Successful)
            OpenAndPlay(Part("/m/album.wav", 150000, -1));
    };
    OpenAndPlay(Part("/m/album.wav", 0, 60000));
    fake_.ClearLog();
    fake_.Advance(60000);
    timer_.Fire();
    EXPECT_EQ(fake_.Log(),
              (std::vector<std::string>{"close", "open /m/album.wav", "seek 150000", "play"}));
}

TEST_F(RangedMediaDeviceTest, StopSeekAndPlayDuringAPartGiveTheirUsualNotices) {
    OpenAndPlay(Part("/m/album.wav", 60000, 90000));
    parts_.Stop();
    EXPECT_FALSE(timer_.Waiting());
    parts_.Play();
    parts_.Play();
    parts_.Seek(100);
    fake_.DeliverNotices();
    EXPECT_EQ(notices_, (std::vector<NotifyResult>{NotifyResult::Aborted, NotifyResult::Superseded,
                                                   NotifyResult::Aborted}));
    // A stopped part's timer is off: time does not end it.
    fake_.Advance(40000);
    timer_.Fire();
    EXPECT_EQ(notices_.size(), 3u);
}

TEST_F(RangedMediaDeviceTest, APartBeyondTheEndOfItsFileDoesNotOpen) {
    parts_.SetFileName(Part("/m/other.wav", 5000, 9000));
    try {
        parts_.Open();
        ADD_FAILURE() << "opened";
    } catch (const EMCIDeviceError& error) {
        EXPECT_STREQ(error.what(), RangedMediaDevice::StartsPastEnd);
    }
    EXPECT_EQ(parts_.Mode(), MediaMode::NotReady);
    EXPECT_EQ(parts_.Position(), 0);
    // A part whose end lies past the file's end plays to the file's end.
    OpenAndPlay(Part("/m/other.wav", 1000, 9000));
    EXPECT_EQ(parts_.Length(), 4000);
    EXPECT_FALSE(timer_.Waiting());
    fake_.PlayToEnd();
    fake_.DeliverNotices();
    EXPECT_EQ(notices_, std::vector<NotifyResult>{NotifyResult::Successful});
    // A missing file fails as it always did.
    parts_.SetFileName(Part("/m/none.wav", 0, 100));
    EXPECT_THROW(parts_.Open(), EMCIDeviceError);
}

// The real device, in real time: a 3 s tone in three parts.
void RunEventLoop(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

TEST(RangedMpvMediaDeviceTest, PartsOfOneFilePlayOneAfterAnotherWithoutAGapOrAReopen) {
    TempDir dir;
    const std::string file = dir.File("album.wav");
    WriteWav(file, 3000);
    QtUiPost post;
    MpvMediaDevice mpv(post, MpvMediaDevice::Output::Null, std::chrono::seconds(5));
    TrackedMediaDevice opens(mpv);  // counts the opens of the file
    QtOneShotTimer timer;
    RangedMediaDevice parts(opens, timer);
    const std::vector<std::string> tracks = {Part(file, 0, 1000), Part(file, 1000, 2000),
                                             Part(file, 2000, -1)};
    std::size_t next = 1;
    QElapsedTimer clock;
    std::vector<std::int64_t> endedAt, lengthAtEnd, positionAtEnd, onFile;
    std::vector<NotifyResult> results;
    parts.SetOnNotify([&] {
        results.push_back(parts.NotifyValue());
        endedAt.push_back(clock.elapsed());
        positionAtEnd.push_back(parts.Position());
        onFile.push_back(opens.Position());
        lengthAtEnd.push_back(parts.Length());
        if (parts.NotifyValue() == NotifyResult::Successful && next < tracks.size()) {
            parts.SetFileName(tracks[next++]);
            parts.Open();
            parts.Notify(true);
            parts.Play();
        }
    });
    parts.SetFileName(tracks[0]);
    parts.Open();
    EXPECT_EQ(parts.Length(), 1000);
    clock.start();
    parts.Notify(true);
    parts.Play();
    RunEventLoop(1500);
    // Half way through the second part, counted within it.
    EXPECT_NEAR(static_cast<double>(parts.Position()), 500, 150);
    while (results.size() < 3 && clock.elapsed() < 8000)
        RunEventLoop(20);
    ASSERT_EQ(results, std::vector<NotifyResult>(3, NotifyResult::Successful));
    EXPECT_EQ(opens.OpenCount(), 1u);
    // Each part ends where it should on the file, never early, and a part's time after the
    // last one's is its own length: nothing lost between them, nothing played twice. (mpv's
    // null output starts late and reports its position in steps of up to 0.2 s when loaded.)
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_GE(onFile[k], 1000 * static_cast<std::int64_t>(k + 1) - 20) << k;
        EXPECT_LE(onFile[k], 1000 * static_cast<std::int64_t>(k + 1) + 250) << k;
        EXPECT_EQ(positionAtEnd[k], lengthAtEnd[k]) << k;
        if (k > 0)
            EXPECT_NEAR(static_cast<double>(endedAt[k] - endedAt[k - 1]), 1000, 250) << k;
    }
    EXPECT_EQ(lengthAtEnd[2], 1000);
    RunEventLoop(100);
    EXPECT_EQ(results.size(), 3u);  // no stray notice afterwards
}

TEST(RangedMpvMediaDeviceTest, APartOpensAtItsStartAndSeeksWithinItself) {
    TempDir dir;
    const std::string file = dir.File("album.wav");
    WriteWav(file, 3000);
    QtUiPost post;
    MpvMediaDevice mpv(post, MpvMediaDevice::Output::Null, std::chrono::seconds(5));
    QtOneShotTimer timer;
    RangedMediaDevice parts(mpv, timer);
    std::vector<NotifyResult> results;
    std::int64_t endedOnFile = -1;
    parts.SetOnNotify([&] {
        results.push_back(parts.NotifyValue());
        endedOnFile = mpv.Position();
    });
    parts.SetFileName(Part(file, 1000, 2000));
    parts.Open();
    EXPECT_EQ(parts.Position(), 0);
    EXPECT_NEAR(static_cast<double>(mpv.Position()), 1000, 20);
    parts.Seek(500);
    EXPECT_EQ(parts.Position(), 500);
    EXPECT_NEAR(static_cast<double>(mpv.Position()), 1500, 20);
    parts.Notify(true);
    parts.Play();
    QElapsedTimer clock;
    clock.start();
    while (results.empty() && clock.elapsed() < 4000)
        RunEventLoop(20);
    ASSERT_EQ(results, std::vector<NotifyResult>{NotifyResult::Successful});
    // Never before the end; after it by no more than mpv's position lags (its null output
    // reports the position in steps of up to 0.2 s on a loaded machine).
    EXPECT_GE(endedOnFile, 2000);
    EXPECT_LE(endedOnFile, 2300);
    RunEventLoop(300);
    // Stopped at the part's end, not run on into the next.
    EXPECT_EQ(parts.Mode(), MediaMode::Stopped);
    EXPECT_LE(mpv.Position(), 2300);
    EXPECT_EQ(parts.Position(), 1000);
    EXPECT_EQ(results.size(), 1u);
    // Past the file's end: no open.
    parts.SetFileName(Part(file, 3500, 4000));
    EXPECT_THROW(parts.Open(), EMCIDeviceError);
    EXPECT_EQ(parts.Mode(), MediaMode::NotReady);
}

}  // namespace
