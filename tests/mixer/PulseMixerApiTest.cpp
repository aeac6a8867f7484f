// What only the PulseAudio mixer does; the rest of its contract is in MixerApiTest.
#include "mixer/PulseMixerApi.h"

#include <gtest/gtest.h>

#include "PulseTestServer.h"
#include "fakes/QueuedUiPost.h"
#include "mixer/TAudioMixer.h"
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

TEST(PulseMixerApiTest, VolumesAboveFullReadAsFullAndBelowAsTheSameNumber) {
    PulseTestServer server;
    if (const std::string reason = server.SkipReason(); !reason.empty()) {
        if (server.Named())
            FAIL() << reason;
        GTEST_SKIP() << reason;
    }
    QueuedUiPost post;
    PulseMixerApi api(post);
    TAudioMixer mixer(api);
    ASSERT_EQ(mixer.MixerID(), 0);

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
