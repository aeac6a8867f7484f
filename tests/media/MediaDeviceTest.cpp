// One suite for the media device contract, run on the real libmpv device (no sound output) and
// on the fake the other suites use, so the fake cannot drift from the real thing.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

#include "fakes/FakeMediaDevice.h"
#include "media/MpvMediaDevice.h"
#include "services/QtUiPost.h"
#include "support/PulseSkip.h"
#include "support/TempDir.h"
#include "support/WavWriter.h"

namespace {

// Runs the event loop for a while: the real device plays in real time.
void RunEventLoop(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Feeds the start of a file through a named pipe and then nothing more, as a stalled stream
// does: mpv loads the file and waits for its sound for ever.
class StalledPipe {
public:
    StalledPipe(const std::string& path, std::string bytes) {
        if (::mkfifo(path.c_str(), 0600) != 0)
            throw std::runtime_error("cannot make the pipe " + path);
        writer_ = std::jthread([path, bytes = std::move(bytes)](std::stop_token stop) {
            int fd = -1;
            // Opening for writing succeeds only once mpv has opened the pipe for reading.
            while (fd < 0 && !stop.stop_requested()) {
                fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
                if (fd < 0)
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            if (fd < 0)
                return;
            // A pipe holds 64 KB, far more than these bytes: the write does not block.
            [[maybe_unused]] const auto written = ::write(fd, bytes.data(), bytes.size());
            while (!stop.stop_requested())
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            ::close(fd);
        });
    }

private:
    std::jthread writer_;
};

class MpvDriver {
public:
    // Short enough that the stalled file's time-out costs the suite little, long enough for
    // a loaded machine to open a short local file.
    MpvDriver() : device_(post_, MpvMediaDevice::Output::Null, std::chrono::seconds(3)) {}
    MediaDevice& Device() { return device_; }
    std::string AddFile(const std::string& name, int ms) {
        const std::string path = dir_.File(name);
        WriteWav(path, ms);
        return path;
    }
    std::string AddUnsizedFile(const std::string& name, int ms) {
        const std::string path = dir_.File(name);
        WriteUnsizedMka(path, ms);
        return path;
    }
    // A first cluster of 10 ms lets mpv finish loading; the second never arrives whole.
    std::string AddStalledFile(const std::string& name) {
        const std::string path = dir_.File(name);
        pipes_.push_back(std::make_unique<StalledPipe>(
            path, MkaHead() + MkaCluster(10) + MkaCluster(20000).substr(0, 2000)));
        return path;
    }
    std::string AddCorruptFile(const std::string& name) {
        return dir_.Write(name, "this is not audio, only text pretending to be a wave file\n");
    }
    // Lets time pass while the device plays.
    void Advance(int ms) { RunEventLoop(ms); }
    // Lets the notices already on their way arrive, waiting up to a second for the count.
    void Deliver(const std::vector<NotifyResult>& notices, size_t expected) {
        QElapsedTimer timer;
        timer.start();
        while (notices.size() < expected && timer.elapsed() < 1000)
            RunEventLoop(10);
        RunEventLoop(20);
    }
    std::int64_t Tolerance() const { return 120; }

private:
    TempDir dir_;
    QtUiPost post_;
    MpvMediaDevice device_;
    std::vector<std::unique_ptr<StalledPipe>> pipes_;  // ended before the folder goes
};

class FakeDriver {
public:
    MediaDevice& Device() { return device_; }
    std::string AddFile(const std::string& name, int ms) {
        device_.AddFile("/fake/" + name, ms);
        return "/fake/" + name;
    }
    std::string AddCorruptFile(const std::string& name) { return "/fake/" + name; }
    std::string AddUnsizedFile(const std::string& name, int ms) {
        device_.AddUnsizedFile("/fake/" + name, ms);
        return "/fake/" + name;
    }
    // The fake has no loading to stall in: the file simply fails to open.
    std::string AddStalledFile(const std::string& name) { return "/fake/" + name; }
    void Advance(int ms) { device_.Advance(ms); }
    void Deliver(const std::vector<NotifyResult>&, size_t) { device_.DeliverNotices(); }
    std::int64_t Tolerance() const { return 0; }

private:
    FakeMediaDevice device_;
};

template <typename Driver>
class MediaDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        device().SetOnNotify([this] {
            notices_.push_back(device().NotifyValue());
            if (onNotice_)
                onNotice_();
        });
    }
    MediaDevice& device() { return driver_.Device(); }
    void OpenFile(const std::string& path) {
        device().SetFileName(path);
        device().Open();
    }
    void PlayWithNotice() {
        device().Notify(true);
        device().Play();
    }

    // Plays first to its end with next queued; the handler of the end's notice runs then.
    void PlayToEndWithQueued(const std::string& first, const std::string& next,
                             std::function<void()> handler) {
        onNotice_ = std::move(handler);
        OpenFile(first);
        PlayWithNotice();
        device().Queue(next);
        driver_.Advance(350);
        driver_.Deliver(notices_, 1);
        onNotice_ = nullptr;
    }
    // What a handler sees right after opening name in it: whether the device sounds already.
    std::function<void()> OpenInHandler(const std::string& name, MediaMode* modeAfterOpen) {
        return [this, name, modeAfterOpen] {
            if (device().NotifyValue() != NotifyResult::Successful)
                return;
            device().SetFileName(name);
            device().Open();
            *modeAfterOpen = device().Mode();
            PlayWithNotice();
        };
    }

    Driver driver_;
    std::vector<NotifyResult> notices_;
    std::function<void()> onNotice_;
};

using Drivers = ::testing::Types<MpvDriver, FakeDriver>;
class DriverNames {
public:
    template <typename T>
    static std::string GetName(int) {
        return std::is_same_v<T, MpvDriver> ? "Mpv" : "Fake";
    }
};
TYPED_TEST_SUITE(MediaDeviceTest, Drivers, DriverNames);

TYPED_TEST(MediaDeviceTest, OpenGivesTheLengthInMillisecondsAndAStoppedDevice) {
    this->OpenFile(this->driver_.AddFile("tone.wav", 700));
    EXPECT_NEAR(this->device().Length(), 700, 5);
    EXPECT_EQ(this->device().Position(), 0);
    EXPECT_EQ(this->device().Mode(), MediaMode::Stopped);
}

TYPED_TEST(MediaDeviceTest, PlayingToTheEndGivesExactlyOneSuccessfulNoticeLater) {
    this->OpenFile(this->driver_.AddFile("tone.wav", 300));
    this->PlayWithNotice();
    EXPECT_EQ(this->device().Mode(), MediaMode::Playing);
    EXPECT_TRUE(this->notices_.empty()) << "a notice never arrives inside a command";
    this->driver_.Advance(400);
    this->driver_.Deliver(this->notices_, 1);
    this->driver_.Advance(200);
    this->driver_.Deliver(this->notices_, 2);
    EXPECT_EQ(this->notices_, std::vector<NotifyResult>{NotifyResult::Successful});
    EXPECT_EQ(this->device().Mode(), MediaMode::Stopped);
}

TYPED_TEST(MediaDeviceTest, StopAbortsThePlayAndPlayContinuesFromThere) {
    this->OpenFile(this->driver_.AddFile("tone.wav", 1500));
    this->PlayWithNotice();
    this->driver_.Advance(400);
    this->device().Stop();
    const std::int64_t stoppedAt = this->device().Position();
    EXPECT_NEAR(stoppedAt, 400, this->driver_.Tolerance() + 1);
    EXPECT_EQ(this->device().Mode(), MediaMode::Stopped);
    this->driver_.Deliver(this->notices_, 1);
    EXPECT_EQ(this->notices_, std::vector<NotifyResult>{NotifyResult::Aborted});

    this->PlayWithNotice();
    this->driver_.Advance(300);
    this->device().Stop();
    EXPECT_GT(this->device().Position(), stoppedAt + 50) << "continued, not restarted";
}

TYPED_TEST(MediaDeviceTest, PlayAtTheVeryEndStartsAgainFromTheBeginning) {
    this->OpenFile(this->driver_.AddFile("tone.wav", 300));
    this->PlayWithNotice();
    this->driver_.Advance(450);
    this->driver_.Deliver(this->notices_, 1);
    ASSERT_EQ(this->notices_, std::vector<NotifyResult>{NotifyResult::Successful});
    this->PlayWithNotice();
    this->driver_.Advance(100);
    this->device().Stop();
    EXPECT_LT(this->device().Position(), 250);
    EXPECT_GT(this->device().Position(), 0);
}

TYPED_TEST(MediaDeviceTest, OpeningASecondFileAbortsTheFirstAndItNeverSucceeds) {
    const std::string first = this->driver_.AddFile("first.wav", 300);
    const std::string second = this->driver_.AddFile("second.wav", 2000);
    this->OpenFile(first);
    this->PlayWithNotice();
    this->driver_.Advance(100);
    this->OpenFile(second);
    this->driver_.Advance(400);
    this->driver_.Deliver(this->notices_, 2);
    EXPECT_EQ(this->notices_, std::vector<NotifyResult>{NotifyResult::Aborted});
    EXPECT_EQ(this->device().FileName(), second);
    EXPECT_NEAR(this->device().Length(), 2000, 5);
}

TYPED_TEST(MediaDeviceTest, ASecondPlaySupersedesTheFirst) {
    this->OpenFile(this->driver_.AddFile("tone.wav", 1000));
    this->PlayWithNotice();
    this->PlayWithNotice();
    this->device().Stop();
    this->driver_.Deliver(this->notices_, 2);
    EXPECT_EQ(this->notices_,
              (std::vector<NotifyResult>{NotifyResult::Superseded, NotifyResult::Aborted}));
}

TYPED_TEST(MediaDeviceTest, SeekStandsAtThePositionWithoutPlaying) {
    this->OpenFile(this->driver_.AddFile("tone.wav", 1000));
    this->PlayWithNotice();
    this->device().Seek(600);
    EXPECT_NEAR(this->device().Position(), 600, 30);
    EXPECT_EQ(this->device().Mode(), MediaMode::Stopped);
    this->driver_.Deliver(this->notices_, 1);
    EXPECT_EQ(this->notices_, std::vector<NotifyResult>{NotifyResult::Aborted});
}

TYPED_TEST(MediaDeviceTest, MissingAndCorruptFilesRaiseAndLeaveNoDevice) {
    const std::string good = this->driver_.AddFile("tone.wav", 300);
    for (const std::string& bad :
         {std::string("/nonexistent/missing.wav"), this->driver_.AddCorruptFile("bad.wav")}) {
        this->OpenFile(good);
        this->device().SetFileName(bad);
        try {
            this->device().Open();
            ADD_FAILURE() << "opening " << bad << " did not raise";
        } catch (const EMCIDeviceError& error) {
            EXPECT_STRNE(error.what(), "");
        }
        EXPECT_EQ(this->device().Mode(), MediaMode::NotReady);
        EXPECT_THROW(this->device().Length(), EMCIDeviceError);
    }
}

// Every command that needs a device says so the same way.
void ExpectNoDeviceOpen(MediaDevice& device) {
    for (auto command :
         {+[](MediaDevice& d) { d.Play(); }, +[](MediaDevice& d) { d.Stop(); },
          +[](MediaDevice& d) { d.Seek(0); }, +[](MediaDevice& d) { (void)d.Length(); }}) {
        try {
            command(device);
            ADD_FAILURE() << "no error raised";
        } catch (const EMCIDeviceError& error) {
            EXPECT_STREQ(error.what(), "No MCI device open");
        }
    }
    EXPECT_EQ(device.Mode(), MediaMode::NotReady);
    EXPECT_EQ(device.Position(), 0);
}

TYPED_TEST(MediaDeviceTest, CommandsWithoutADeviceRaiseNoMciDeviceOpen) {
    ExpectNoDeviceOpen(this->device());
    this->device().Close();  // nothing open: nothing happens
}

TYPED_TEST(MediaDeviceTest, AFileThatLoadsButNeverGetsReadyLeavesNoDevice) {
    this->OpenFile(this->driver_.AddFile("tone.wav", 300));
    this->PlayWithNotice();
    this->device().SetFileName(this->driver_.AddStalledFile("stalled.mka"));
    EXPECT_THROW(this->device().Open(), EMCIDeviceError);
    ExpectNoDeviceOpen(this->device());
    this->driver_.Deliver(this->notices_, 1);
    EXPECT_EQ(this->notices_, std::vector<NotifyResult>{NotifyResult::Aborted});
}

TYPED_TEST(MediaDeviceTest, PlayAfterStopContinuesWhenTheLengthIsUnknown) {
    this->OpenFile(this->driver_.AddUnsizedFile("stream.mka", 3000));
    ASSERT_EQ(this->device().Length(), 0);
    this->PlayWithNotice();
    this->driver_.Advance(700);
    this->device().Stop();
    const std::int64_t stoppedAt = this->device().Position();
    EXPECT_GT(stoppedAt, 350);
    this->PlayWithNotice();
    this->driver_.Advance(700);
    this->device().Stop();
    EXPECT_GT(this->device().Position(), stoppedAt + 350) << "continued, not restarted";
}

TYPED_TEST(MediaDeviceTest, AQueuedFileFollowsAndAnOpenInTheNoticeTakesItOver) {
    const std::string first = this->driver_.AddFile("first.wav", 300);
    // Long enough that a loaded machine's late notice still finds it playing.
    const std::string next = this->driver_.AddFile("next.wav", 2500);
    MediaMode modeAfterOpen = MediaMode::NotReady;
    this->PlayToEndWithQueued(first, next, this->OpenInHandler(next, &modeAfterOpen));
    ASSERT_EQ(this->notices_, std::vector<NotifyResult>{NotifyResult::Successful});
    EXPECT_EQ(modeAfterOpen, MediaMode::Playing) << "taken over, not loaded again";
    EXPECT_NEAR(this->device().Length(), 2500, 5);
    EXPECT_EQ(this->device().Mode(), MediaMode::Playing);
    // The second file's own play ends as any play does.
    this->driver_.Advance(2600);
    this->driver_.Deliver(this->notices_, 2);
    EXPECT_EQ(this->notices_,
              (std::vector<NotifyResult>{NotifyResult::Successful, NotifyResult::Successful}));
}

TYPED_TEST(MediaDeviceTest, TheLastQueuedNameIsTheOneThatFollows) {
    // Long enough that both names are given before mpv reads on into the queued file, also
    // on a slow (sanitized) build.
    const std::string first = this->driver_.AddFile("first.wav", 1200);
    const std::string replaced = this->driver_.AddFile("replaced.wav", 2000);
    const std::string next = this->driver_.AddFile("next.wav", 2500);
    MediaMode modeAfterOpen = MediaMode::NotReady;
    this->onNotice_ = this->OpenInHandler(next, &modeAfterOpen);
    this->OpenFile(first);
    this->PlayWithNotice();
    this->device().Queue(replaced);
    this->device().Queue(next);
    this->driver_.Advance(1250);
    this->driver_.Deliver(this->notices_, 1);
    EXPECT_EQ(this->notices_, std::vector<NotifyResult>{NotifyResult::Successful});
    EXPECT_EQ(modeAfterOpen, MediaMode::Playing);
    EXPECT_NEAR(this->device().Length(), 2500, 5);
}

TYPED_TEST(MediaDeviceTest, AHandlerThatOpensNothingLeavesTheEndedFileAtItsEnd) {
    const std::string first = this->driver_.AddFile("first.wav", 300);
    const std::string next = this->driver_.AddFile("next.wav", 2500);
    this->PlayToEndWithQueued(first, next, nullptr);
    ASSERT_EQ(this->notices_, std::vector<NotifyResult>{NotifyResult::Successful});
    this->driver_.Advance(300);
    EXPECT_EQ(this->device().Mode(), MediaMode::Stopped) << "nothing follows";
    EXPECT_NEAR(this->device().Length(), 300, 5);
    EXPECT_NEAR(this->device().Position(), 300, 5);
    // Play then starts the ended file again, as at the end of any file.
    this->PlayWithNotice();
    EXPECT_EQ(this->device().Mode(), MediaMode::Playing);
    EXPECT_LT(this->device().Position(), 100) << "from its start";
    EXPECT_NEAR(this->device().Length(), 300, 5);
    this->device().Stop();
}

TYPED_TEST(MediaDeviceTest, OpenAndCloseEmptyTheQueue) {
    const std::string first = this->driver_.AddFile("first.wav", 300);
    const std::string next = this->driver_.AddFile("next.wav", 1000);
    for (bool close : {false, true}) {
        this->notices_.clear();
        MediaMode modeAfterOpen = MediaMode::NotReady;
        this->onNotice_ = [this, &next, &modeAfterOpen] {
            this->device().SetFileName(next);
            this->device().Open();
            modeAfterOpen = this->device().Mode();
        };
        this->OpenFile(first);
        this->device().Queue(next);
        if (close)
            this->device().Close();
        this->OpenFile(first);
        this->PlayWithNotice();
        this->driver_.Advance(350);
        this->driver_.Deliver(this->notices_, 1);
        this->onNotice_ = nullptr;
        EXPECT_EQ(this->notices_, std::vector<NotifyResult>{NotifyResult::Successful});
        EXPECT_EQ(modeAfterOpen, MediaMode::Stopped) << "loaded afresh, close " << close;
    }
}

TYPED_TEST(MediaDeviceTest, AQueuedFileThatCannotOpenIsNotFollowed) {
    const std::string first = this->driver_.AddFile("first.wav", 300);
    const std::string bad = this->driver_.AddCorruptFile("bad.wav");
    bool raised = false;
    this->PlayToEndWithQueued(first, bad, [this, &bad, &raised] {
        this->device().SetFileName(bad);
        try {
            this->device().Open();
        } catch (const EMCIDeviceError&) {
            raised = true;
        }
    });
    EXPECT_EQ(this->notices_, std::vector<NotifyResult>{NotifyResult::Successful});
    EXPECT_TRUE(raised);
    EXPECT_EQ(this->device().Mode(), MediaMode::NotReady);
}

TEST(MpvMediaDeviceTest, OpenFailuresCarryMpvsOwnText) {
    TempDir dir;
    QtUiPost post;
    MpvMediaDevice device(post, MpvMediaDevice::Output::Null);
    const auto textFor = [&](const std::string& path) {
        device.SetFileName(path);
        try {
            device.Open();
        } catch (const EMCIDeviceError& error) {
            return std::string(error.what());
        }
        return std::string("(opened)");
    };
    EXPECT_EQ(textFor(dir.File("missing.wav")), "loading failed");
    EXPECT_EQ(textFor(dir.Write("text.wav", "plain text\n")), "unrecognized file format");
    EXPECT_EQ(textFor(dir.Write("empty.mp3", "")), "unrecognized file format");
}

// Output of a shell command; empty when it fails.
std::string Capture(const char* command) {
    std::string output;
    if (FILE* pipe = ::popen(command, "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe))
            output += buffer;
        if (::pclose(pipe) != 0)
            return {};
    }
    return output;
}

TEST(MpvMediaDeviceTest, PlaysThroughTheSoundServer) {
    if (Capture("pactl info 2>/dev/null").empty()) {
        if (!PulseSkipAllowed())
            FAIL() << "no PulseAudio server answers: " << HowToStartPulse();
        GTEST_SKIP() << "no PulseAudio server answers";
    }
    TempDir dir;
    QtUiPost post;
    MpvMediaDevice device(post, MpvMediaDevice::Output::System);
    const std::string path = dir.File("tone.wav");
    WriteWav(path, 1500);
    device.SetFileName(path);
    device.Open();
    device.Play();
    // The test services keep a silent pacat stream on the sink; look for another one.
    const auto ourStreams = [] {
        int count = 0;
        const std::string inputs = Capture("pactl list sink-inputs");
        for (size_t at = inputs.find("application.name = \""); at != std::string::npos;
             at = inputs.find("application.name = \"", at + 1))
            count += inputs.compare(at + 20, 6, "pacat\"") != 0;
        return count;
    };
    QElapsedTimer timer;
    timer.start();
    while (ourStreams() == 0 && timer.elapsed() < 3000)
        RunEventLoop(50);
    EXPECT_EQ(ourStreams(), 1) << Capture("pactl list sink-inputs");
    EXPECT_EQ(device.Mode(), MediaMode::Playing);
    device.Close();
}

}  // namespace
