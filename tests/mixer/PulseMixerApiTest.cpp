// What only the PulseAudio mixer does; the rest of its contract is in MixerApiTest.
#include "mixer/PulseMixerApi.h"

#include <gtest/gtest.h>

#include <QTest>
#include "PulseTestServer.h"

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

// Against the test server; skipped without one.
class PulseMixerApiServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const std::string reason = server_.SkipReason(); !reason.empty()) {
            if (server_.Named())
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
