// Internet streams on the real libmpv device (no sound output), from a radio of our own on
// 127.0.0.1: titles followed as they change, a flood of garbage titles kept fit to show, and
// the ends of a stream that refuses, never answers or drops (after reconnecting).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "media/MpvMediaDevice.h"
#include "services/QtRemoteListFetch.h"
#include "services/QtUiPost.h"
#include "support/RadioServer.h"
#include "support/TempDir.h"
#include "textfile/TextEncoding.h"

namespace {

class StreamTest : public ::testing::Test {
protected:
    // A short wait limit: the stalled server counts as stalled after 2 s.
    StreamTest()
        : radio_(dir_.File("")),
          device_(post_, MpvMediaDevice::Output::Null, std::chrono::seconds(2)) {
        device_.SetOnNotify([this] { notices_.push_back(device_.NotifyValue()); });
    }

    void Play(const std::string& address) {
        device_.SetFileName(address);
        device_.Open();
        device_.Notify(true);
        device_.Play();
    }
    // Runs the event loop until done() or the time is up; true when done.
    bool RunUntil(const std::function<bool()>& done, int limitMs) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < limitMs) {
            QEventLoop loop;
            QTimer::singleShot(20, &loop, &QEventLoop::quit);
            loop.exec();
        }
        return done();
    }

    TempDir dir_;
    RadioServer radio_;
    QtUiPost post_;
    MpvMediaDevice device_;
    std::vector<NotifyResult> notices_;
};

TEST_F(StreamTest, AStreamOpensAtOnceAndItsTitlesFollowTheStation) {
    for (const char* path : {"/mp3", "/ogg"}) {
        notices_.clear();
        Play(radio_.Address(path));
        EXPECT_EQ(device_.Length(), 0) << path;
        EXPECT_TRUE(
            RunUntil([this] { return device_.StreamTitle() == "Test Radio - Title 1"; }, 6000))
            << path << ": " << device_.StreamTitle();
        EXPECT_TRUE(
            RunUntil([this] { return device_.StreamTitle() == "Test Radio - Title 2"; }, 6000))
            << path << ": " << device_.StreamTitle();
        EXPECT_EQ(device_.Mode(), MediaMode::Playing);
        EXPECT_GT(device_.Position(), 500) << path;
        EXPECT_TRUE(notices_.empty());
        device_.Close();
        EXPECT_EQ(device_.StreamTitle(), "");
        RunUntil([this] { return !notices_.empty(); }, 1000);
        EXPECT_EQ(notices_, std::vector<NotifyResult>{NotifyResult::Aborted});
    }
}

TEST_F(StreamTest, AFloodOfGarbageTitlesStaysFitToShow) {
    Play(radio_.Address("/flood"));
    ASSERT_TRUE(RunUntil(
        [this] { return device_.StreamTitle().find("Flood") != std::string::npos; }, 6000));
    int seen = 0;
    std::string last;
    RunUntil(
        [&] {
            const std::string title = device_.StreamTitle();
            EXPECT_LE(title.size(), MediaDevice::StreamTitleLimit);
            EXPECT_TRUE(IsValidUtf8(title)) << title;
            for (unsigned char c : title)
                EXPECT_TRUE(c >= 0x20 && c != 0x7F) << "a control character in " << title;
            if (title != last) {
                ++seen;
                last = title;
            }
            return seen > 10;
        },
        4000);
    EXPECT_GT(seen, 10) << "the titles change as the station sends them";
    EXPECT_EQ(device_.Mode(), MediaMode::Playing);
}

TEST_F(StreamTest, AStationThatRefusesOrNeverAnswersEndsInFailure) {
    for (const std::string& address : {radio_.Refused("/mp3"), radio_.Address("/stall")}) {
        notices_.clear();
        Play(address);
        EXPECT_NE(device_.Mode(), MediaMode::NotReady) << "connecting happens after Open";
        EXPECT_TRUE(RunUntil([this] { return !notices_.empty(); }, 8000)) << address;
        EXPECT_EQ(notices_, std::vector<NotifyResult>{NotifyResult::Failure}) << address;
        EXPECT_EQ(device_.Mode(), MediaMode::NotReady);
    }
}

TEST_F(StreamTest, AStreamThatRedirectsInACircleEndsInFailure) {
    Play(radio_.Address("/loop1"));
    EXPECT_TRUE(RunUntil([this] { return !notices_.empty(); }, 8000));
    EXPECT_EQ(notices_, std::vector<NotifyResult>{NotifyResult::Failure});
}

TEST_F(StreamTest, StationListsAreFetchedAndCirclesEnd) {
    QtRemoteListFetch fetch(nullptr);
    struct Answer {
        bool done = false;
        std::vector<PlayListRecord> streams;
        std::string error;
    };
    const auto fetched = [&](const std::string& path) {
        auto answer = std::make_shared<Answer>();
        fetch.Fetch(radio_.Address(path),
                    [answer](std::vector<PlayListRecord> streams, std::string error) {
                        answer->done = true;
                        answer->streams = std::move(streams);
                        answer->error = std::move(error);
                    });
        EXPECT_FALSE(answer->done) << "the answer comes later";
        EXPECT_TRUE(RunUntil([answer] { return answer->done; }, 15000)) << path;
        return *answer;
    };
    for (const char* list : {"/list.m3u", "/list.pls"}) {
        const Answer answer = fetched(list);
        ASSERT_EQ(answer.streams.size(), 2u) << list << ": " << answer.error;
        EXPECT_EQ(answer.streams[0].Path, radio_.Address("/mp3"));
        EXPECT_EQ(answer.streams[1].Path, radio_.Address("/ogg"));
        EXPECT_EQ(answer.error, "");
    }
    EXPECT_EQ(fetched("/list.pls").streams[0].Caption, "MP3");
    const Answer self = fetched("/self.m3u");
    EXPECT_TRUE(self.streams.empty());
    EXPECT_NE(self.error, "");
    EXPECT_EQ(radio_.Requests("/self.m3u"), 1) << "a list that names itself is read once";
    const Answer circle = fetched("/loop1.m3u");
    EXPECT_TRUE(circle.streams.empty());
    EXPECT_NE(circle.error, "");
    // The first request, the redirects followed, and the one whose redirect is refused.
    EXPECT_LE(radio_.Requests("/loop1.m3u") + radio_.Requests("/loop2.m3u"),
              QtRemoteListFetch::MaxRedirects + 2);
}

TEST_F(StreamTest, ADroppedStreamIsConnectedAgainAFewTimesBeforeItFails) {
    Play(radio_.Address("/drop"));
    EXPECT_TRUE(RunUntil([this] { return !notices_.empty(); }, 20000));
    EXPECT_EQ(notices_, std::vector<NotifyResult>{NotifyResult::Failure});
    EXPECT_EQ(radio_.Requests("/drop"), 1 + MpvMediaDevice::StreamRetries);
    EXPECT_EQ(device_.Mode(), MediaMode::NotReady);
}

}  // namespace
