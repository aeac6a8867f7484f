// What only the PulseAudio mixer does; the rest of its contract is in MixerApiTest.
#include "mixer/PulseMixerApi.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <filesystem>
#include "PulseTestServer.h"
#include "support/PulseSkip.h"

#include "fakes/QueuedUiPost.h"
#include "mixer/TAudioMixer.h"
#include "services/QtUiPost.h"
#include "support/TempDir.h"

namespace {

TEST(PulseMixerApiTest, WithoutAServerThereIsNoDevice) {
    TempDir folder;
    QueuedUiPost post;
    PulseMixerApi api(post, "unix:" + (folder.Path() / "no-server").string());
    EXPECT_EQ(api.DeviceCount(), 0);
    EXPECT_FALSE(api.Open(0, {}).has_value());

    TAudioMixer mixer(api);
    EXPECT_EQ(mixer.MixerID(), -1);
    EXPECT_FALSE(mixer.GetVolume(0, -1).has_value());
    EXPECT_EQ(post.RunAll(), 0);
}

// A PulseAudio server of the test's own, in a private runtime folder, that it can end and
// start again.
class PrivateServer {
public:
    explicit PrivateServer(const std::filesystem::path& runtime) : runtime_(runtime) {
        std::filesystem::create_directories(runtime_);
        std::filesystem::permissions(runtime_, std::filesystem::perms::owner_all);
    }
    ~PrivateServer() { Stop(); }
    std::string Address() const { return "unix:" + (runtime_ / "pulse" / "native").string(); }
    void Start() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"),
                           QString::fromStdString(runtime_.string()));
        environment.remove(QStringLiteral("PULSE_SERVER"));
        daemon_.setProcessEnvironment(environment);
        daemon_.start(QStringLiteral("pulseaudio"),
                      {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                       QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--use-pid-file=no"),
                       QStringLiteral("--load=module-null-sink sink_name=quavrel_private"),
                       QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1")});
        ASSERT_TRUE(daemon_.waitForStarted(5000));
    }
    void Stop() {
        if (daemon_.state() == QProcess::NotRunning)
            return;
        daemon_.terminate();
        if (!daemon_.waitForFinished(5000)) {
            daemon_.kill();
            daemon_.waitForFinished(5000);
        }
    }

private:
    std::filesystem::path runtime_;
    QProcess daemon_;
};

TEST(PulseMixerApiTest, TheMixerFollowsAServerThatGoesAwayAndComesBack) {
    if (QStandardPaths::findExecutable(QStringLiteral("pulseaudio")).isEmpty()) {
        if (!PulseSkipAllowed())
            FAIL() << "no pulseaudio program to start a private server with: install it "
                      "(scripts/install-deps.sh), or set QVRL_ALLOW_SKIP_PULSE=1 to skip";
        GTEST_SKIP() << "no pulseaudio program to start a private server with";
    }
    TempDir folder;
    PrivateServer server(folder.Path() / "run");
    server.Start();
    QtUiPost post;
    PulseMixerApi api(post, server.Address());
    ASSERT_TRUE(QTest::qWaitFor([&] { return api.DeviceCount() == 1; }, 10000));
    TAudioMixer mixer(api);
    int lineChanges = 0;
    mixer.OnLineChange = [&](TAudioMixer&, std::uint32_t, std::uint32_t) { ++lineChanges; };
    mixer.SetVolume(0, -1, 20000, -1, -1);
    ASSERT_EQ(mixer.GetVolume(0, -1)->Left, 20000);

    server.Stop();
    ASSERT_TRUE(QTest::qWaitFor([&] { return lineChanges >= 1; }, 10000));
    EXPECT_FALSE(mixer.GetVolume(0, -1).has_value());
    EXPECT_TRUE(mixer.IsConsistent());

    server.Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return mixer.GetVolume(0, -1).has_value(); }, 10000));
    EXPECT_EQ(mixer.GetVolume(0, -1)->Left, 65535) << "the new server's sink, at 100 %";
    EXPECT_EQ(mixer.MixerID(), 0);
    EXPECT_TRUE(mixer.IsConsistent());
}

// Against the test server; skipped without one.
class PulseMixerApiServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const std::string reason = server_.SkipReason(); !reason.empty()) {
            if (!server_.MayBeSkipped())
                FAIL() << reason;
            GTEST_SKIP() << reason;
        }
    }

    PulseTestServer server_;
    QtUiPost post_;
    PulseMixerApi api_{post_};
};

TEST_F(PulseMixerApiServerTest, VolumesAboveFullReadAsFullAndBelowAsTheSameNumber) {
    TAudioMixer mixer(api_);
    ASSERT_EQ(mixer.MixerID(), 0);
    PulseTestServer& server = server_;

    server.SetSinkVolume(98304);  // 150 %
    EXPECT_EQ(mixer.GetVolume(0, -1)->Left, 65535);
    server.SetSinkVolume(65536);  // 100 %
    EXPECT_EQ(mixer.GetVolume(0, -1)->Right, 65535);
    server.SetSinkVolume(32768);
    EXPECT_EQ(mixer.GetVolume(0, -1)->Left, 32768);
    mixer.SetVolume(0, -1, 32768, 65535, -1);
    EXPECT_EQ(server.SinkVolume(), (std::vector<std::uint32_t>{32768, 65536}));
    EXPECT_TRUE(mixer.IsConsistent());
}

}  // namespace

TEST_F(PulseMixerApiServerTest, ANewDefaultSinkBecomesDestinationZeroOfTheOpenMixer) {
    TAudioMixer mixer(api_);
    int lineChanges = 0;
    mixer.OnLineChange = [&](TAudioMixer&, std::uint32_t, std::uint32_t) { ++lineChanges; };
    server_.SetSinkVolume(10000);
    ASSERT_EQ(mixer.GetVolume(0, -1)->Left, 10000);

    server_.AddDefaultSink("quavrel_second");
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const auto volume = mixer.GetVolume(0, -1);
        return volume && volume->Left == 65535;
    }));
    EXPECT_GE(lineChanges, 1);
    EXPECT_EQ(mixer.MixerCaps().Destinations, 2);
    EXPECT_TRUE(mixer.IsConsistent());
    mixer.SetVolume(0, -1, 20000, -1, -1);
    EXPECT_EQ(server_.SinkVolume(), (std::vector<std::uint32_t>{10000, 10000}))
        << "the test sink is no longer destination 0";
}
