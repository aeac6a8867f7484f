#include "mixer/TAudioMixer.h"

#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "fakes/FakeMixerApi.h"
#include "fakes/QueuedUiPost.h"
#include "mixer/TMixerDestinations.h"

namespace {

using Values = std::vector<std::uint32_t>;

class TAudioMixerTest : public ::testing::Test {
protected:
    TAudioMixerTest() {
        output_ = api_.AddOutput("Speakers");
        volume_ = 1;  // the output's controls are the first two made
        mute_ = 2;
    }

    QueuedUiPost post_;
    FakeMixerApi api_{post_};
    int output_ = 0;
    std::uint32_t volume_ = 0;
    std::uint32_t mute_ = 0;
};

TEST_F(TAudioMixerTest, OpensDeviceZeroAndReadsItsLinesIntoTheTree) {
    api_.AddSource(output_, "Music", 2);
    api_.AddControl(output_, 0, MixerControlType::Volume, 0);
    api_.AddSource(output_, "Video", 1);
    api_.AddDestination("Recording", 2);
    api_.SetDeviceCount(2);

    TAudioMixer mixer(api_);

    EXPECT_EQ(mixer.DeviceCount(), 2);
    EXPECT_EQ(mixer.MixerID(), 0);
    EXPECT_NE(mixer.MixerHandle(), 0u);
    EXPECT_EQ(mixer.MixerCaps().Destinations, 2);
    const TMixerDestinations& destinations = *mixer.Destinations();
    ASSERT_EQ(destinations.Count(), 2);
    const TMixerDestination& speakers = *destinations.Items(0);
    EXPECT_EQ(speakers.Line().Name, "Speakers");
    EXPECT_EQ(speakers.Controls().Count(), 2);
    EXPECT_EQ(speakers.Controls().Items(0)->ControlID, volume_);
    ASSERT_EQ(speakers.Connections().Count(), 2);
    EXPECT_EQ(speakers.Connections().Items(0)->Line().Name, "Music");
    EXPECT_EQ(speakers.Connections().Items(0)->Controls().Count(), 1);
    EXPECT_EQ(speakers.Connections().Items(1)->Controls().Count(), 0);
    EXPECT_EQ(destinations.Items(1)->Line().Name, "Recording");
    EXPECT_TRUE(mixer.IsConsistent());
}

TEST_F(TAudioMixerTest, WithoutADeviceNothingIsReadOrWritten) {
    api_.SetDeviceCount(0);
    TAudioMixer mixer(api_);

    EXPECT_EQ(mixer.MixerID(), -1);
    EXPECT_EQ(mixer.Destinations(), nullptr);
    EXPECT_FALSE(mixer.GetVolume(0, -1).has_value());
    EXPECT_FALSE(mixer.SetVolume(0, -1, 100, -1, 1));
    EXPECT_EQ(api_.Writes(), 0);
    EXPECT_TRUE(mixer.IsConsistent());
}

TEST_F(TAudioMixerTest, ADeviceThatFailsToOpenLeavesTheMixerClosed) {
    api_.FailOpen(true);
    TAudioMixer mixer(api_);

    EXPECT_EQ(mixer.DeviceCount(), 1);
    EXPECT_EQ(mixer.MixerID(), -1);
    EXPECT_FALSE(mixer.GetVolume(0, -1).has_value());
    EXPECT_TRUE(mixer.IsConsistent());
}

TEST_F(TAudioMixerTest, MixerIDIgnoresUnknownDevicesClosesOnNegativeAndReopens) {
    api_.SetDeviceCount(2);
    TAudioMixer mixer(api_);

    mixer.SetMixerID(2);
    EXPECT_EQ(mixer.MixerID(), 0);
    EXPECT_TRUE(mixer.GetVolume(0, -1).has_value());

    mixer.SetMixerID(-1);
    EXPECT_EQ(mixer.MixerID(), -1);
    EXPECT_EQ(mixer.Destinations(), nullptr);
    EXPECT_TRUE(mixer.IsConsistent());

    // The fake opens a device only once at a time: reopening proves the old one was closed.
    mixer.SetMixerID(0);
    EXPECT_EQ(mixer.MixerID(), 0);
    mixer.SetMixerID(0);
    EXPECT_EQ(mixer.MixerID(), 0);
    EXPECT_TRUE(mixer.IsConsistent());
}

TEST_F(TAudioMixerTest, LinesThatCannotBeReadAreLeftOutAndLaterOnesMoveUp) {
    api_.AddSource(output_, "Music", 2);
    api_.AddSource(output_, "Video", 2);
    api_.AddDestination("Broken", 2);
    api_.AddDestination("Recording", 2);
    api_.FailLine(output_, 0);
    api_.FailLine(1, -1);
    api_.FailLineControls(output_, -1);

    TAudioMixer mixer(api_);

    const TMixerDestinations& destinations = *mixer.Destinations();
    ASSERT_EQ(destinations.Count(), 2);
    EXPECT_EQ(destinations.Items(1)->Line().Name, "Recording");
    const TMixerDestination& speakers = *destinations.Items(0);
    EXPECT_EQ(speakers.Controls().Count(), 0);
    ASSERT_EQ(speakers.Connections().Count(), 1);
    EXPECT_EQ(speakers.Connections().Items(0)->Line().Name, "Video");
    EXPECT_TRUE(mixer.IsConsistent());
}

TEST_F(TAudioMixerTest, ReadsBothChannelsAndTheMuteOfALine) {
    api_.SetValues(volume_, {49152, 30000});
    api_.SetValues(mute_, {1});
    TAudioMixer mixer(api_);

    const auto volume = mixer.GetVolume(0, -1);
    ASSERT_TRUE(volume.has_value());
    EXPECT_EQ(volume->Left, 49152);
    EXPECT_EQ(volume->Right, 30000);
    EXPECT_EQ(volume->Mute, 1);
    EXPECT_FALSE(volume->VolumeUnavailable);
    EXPECT_FALSE(volume->MuteUnavailable);

    EXPECT_FALSE(mixer.GetVolume(1, -1).has_value());
    EXPECT_FALSE(mixer.GetVolume(0, 0).has_value());
}

TEST_F(TAudioMixerTest, AOneChannelVolumeGivesRightVolumeMinusOne) {
    const int mono = api_.AddDestination("Mono", 1);
    const auto monoVolume = api_.AddControl(mono, -1, MixerControlType::Volume, 0);
    api_.SetValues(monoVolume, {1234});
    // A uniform control reads as one channel even on a line of two.
    const int uniform = api_.AddDestination("Uniform", 2);
    api_.AddControl(uniform, -1, MixerControlType::Volume, MixerControlFlag::Uniform);
    TAudioMixer mixer(api_);

    const auto volume = mixer.GetVolume(mono, -1);
    EXPECT_EQ(volume->Left, 1234);
    EXPECT_EQ(volume->Right, -1);
    EXPECT_EQ(mixer.GetVolume(uniform, -1)->Right, -1);
    EXPECT_EQ(mixer.GetVolume(uniform, -1)->Left, 0);
}

TEST_F(TAudioMixerTest, ALineWithoutAMuteControlGivesMuteMinusOneAndMuteUnavailable) {
    const int line = api_.AddDestination("No mute", 2);
    api_.AddControl(line, -1, MixerControlType::Volume, 0);
    const int bare = api_.AddDestination("Nothing", 2);
    TAudioMixer mixer(api_);

    const auto volume = mixer.GetVolume(line, -1);
    EXPECT_EQ(volume->Mute, -1);
    EXPECT_TRUE(volume->MuteUnavailable);
    EXPECT_FALSE(volume->VolumeUnavailable);
    const auto nothing = mixer.GetVolume(bare, -1);
    ASSERT_TRUE(nothing.has_value());
    EXPECT_EQ(nothing->Left, -1);
    EXPECT_EQ(nothing->Right, -1);
    EXPECT_TRUE(nothing->VolumeUnavailable);
    EXPECT_TRUE(nothing->MuteUnavailable);
}

TEST_F(TAudioMixerTest, ControlsThatCannotBeReadOrHoldListsArePassedOver) {
    const int line = api_.AddDestination("Line", 2);
    const auto list =
        api_.AddControl(line, -1, MixerControlType::Volume, MixerControlFlag::Multiple, 2);
    const auto broken = api_.AddControl(line, -1, MixerControlType::Volume, 0);
    const auto second = api_.AddControl(line, -1, MixerControlType::Volume, 0);
    const auto third = api_.AddControl(line, -1, MixerControlType::Volume, 0);
    api_.SetValues(list, {1, 1, 1, 1});
    api_.SetValues(second, {200, 300});
    api_.SetValues(third, {400, 500});
    api_.FailReads(broken);
    TAudioMixer mixer(api_);

    const auto volume = mixer.GetVolume(line, -1);
    EXPECT_EQ(volume->Left, 200);
    EXPECT_EQ(volume->Right, 300);

    // Writing takes the same path: the list is skipped, a failing write is passed over.
    api_.FailWrites(broken);
    mixer.SetVolume(line, -1, 7000, -1, -1);
    EXPECT_EQ(api_.Values(second), (Values{7000, 7000}));
    EXPECT_EQ(api_.Values(third), (Values{400, 500}));
    EXPECT_EQ(api_.Values(list), (Values{1, 1, 1, 1}));
}

TEST_F(TAudioMixerTest, SetVolumeWritesLeftAndRightAndMinusOneLeavesAValueAlone) {
    TAudioMixer mixer(api_);

    EXPECT_TRUE(mixer.SetVolume(0, -1, 1000, 2000, -1));
    EXPECT_EQ(api_.Values(volume_), (Values{1000, 2000}));
    EXPECT_EQ(api_.Values(mute_), (Values{0}));

    EXPECT_TRUE(mixer.SetVolume(0, -1, 3000, -1, 1));
    EXPECT_EQ(api_.Values(volume_), (Values{3000, 3000}));
    EXPECT_EQ(api_.Values(mute_), (Values{1}));

    EXPECT_TRUE(mixer.SetVolume(0, -1, -1, -1, 0));
    EXPECT_EQ(api_.Values(volume_), (Values{3000, 3000}));
    EXPECT_EQ(api_.Values(mute_), (Values{0}));

    const int writes = api_.Writes();
    EXPECT_TRUE(mixer.SetVolume(0, -1, -1, 5, -1));
    EXPECT_EQ(api_.Writes(), writes);

    // The control's range is taken as 0 to 65535.
    mixer.SetVolume(0, -1, 70000, -1, -1);
    EXPECT_EQ(api_.Values(volume_), (Values{65535, 65535}));

    EXPECT_FALSE(mixer.SetVolume(3, -1, 1, 1, 1));
    EXPECT_FALSE(mixer.SetVolume(0, 4, 1, 1, 1));
}

TEST_F(TAudioMixerTest, ASourceLineWithoutMuteUsesTheDestinationsListControl) {
    const int recording = api_.AddDestination("Recording", 2);
    const auto mux = api_.AddControl(recording, -1, MixerControlType::Mixer,
                                     MixerControlFlag::Uniform | MixerControlFlag::Multiple, 3);
    for (const char* name : {"Microphone", "Line In", "CD"}) {
        const int source = api_.AddSource(recording, name, 2);
        api_.AddControl(recording, source, MixerControlType::Volume, 0);
    }
    api_.SetValues(mux, {0, 1, 0});
    TAudioMixer mixer(api_);

    EXPECT_EQ(mixer.GetVolume(recording, 1)->Mute, 1);
    EXPECT_FALSE(mixer.GetVolume(recording, 1)->MuteUnavailable);
    EXPECT_EQ(mixer.GetVolume(recording, 2)->Mute, 0);
    // The destination itself never reads its list control as a mute.
    EXPECT_EQ(mixer.GetVolume(recording, -1)->Mute, -1);

    mixer.SetVolume(recording, 2, -1, -1, 1);
    EXPECT_EQ(api_.Values(mux), (Values{0, 0, 1}));
    mixer.SetVolume(recording, 0, -1, -1, 0);
    EXPECT_EQ(api_.Values(mux), (Values{0, 0, 0}));
    mixer.SetVolume(recording, -1, -1, -1, 1);
    EXPECT_EQ(api_.Values(mux), (Values{0, 0, 0}));

    // A list control that cannot be read is not written blindly.
    api_.FailReads(mux);
    const int writes = api_.Writes();
    mixer.SetVolume(recording, 1, -1, -1, 1);
    EXPECT_EQ(api_.Writes(), writes);
    EXPECT_EQ(mixer.GetVolume(recording, 1)->Mute, -1);
}

TEST_F(TAudioMixerTest, AListControlOfSeveralChannelsIsWrittenInEachChannel) {
    const int recording = api_.AddDestination("Recording", 2);
    const auto mux =
        api_.AddControl(recording, -1, MixerControlType::Mux, MixerControlFlag::Multiple, 2);
    api_.AddSource(recording, "Microphone", 2);
    api_.AddSource(recording, "Line In", 2);
    api_.SetValues(mux, {1, 1, 1, 1});
    TAudioMixer mixer(api_);

    mixer.SetVolume(recording, 1, -1, -1, 1);
    EXPECT_EQ(api_.Values(mux), (Values{0, 1, 0, 1}));
}

TEST_F(TAudioMixerTest, ControlChangesArriveLaterAsEventsAndNotAfterClosing) {
    TAudioMixer mixer(api_);
    std::vector<std::tuple<std::uint32_t, std::uint32_t>> seen;
    mixer.OnControlChange = [&](TAudioMixer& sender, std::uint32_t mixerH, std::uint32_t id) {
        EXPECT_EQ(&sender, &mixer);
        seen.emplace_back(mixerH, id);
    };

    api_.SetValues(volume_, {10, 10});
    EXPECT_TRUE(seen.empty());
    post_.RunAll();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], std::make_tuple(mixer.MixerHandle(), volume_));

    api_.SetValues(mute_, {1});
    mixer.SetMixerID(-1);
    post_.RunAll();
    EXPECT_EQ(seen.size(), 1u);
}

TEST_F(TAudioMixerTest, ALineChangeReadsTheTreeAgainBeforeTheEvent) {
    TAudioMixer mixer(api_);
    int connectionsSeen = -1;
    mixer.OnLineChange = [&](TAudioMixer& sender, std::uint32_t, std::uint32_t) {
        connectionsSeen = sender.Destinations()->Items(0)->Connections().Count();
        EXPECT_TRUE(sender.IsConsistent());
    };
    EXPECT_EQ(mixer.Destinations()->Items(0)->Connections().Count(), 0);

    api_.AddSource(output_, "Music", 2);
    post_.RunAll();

    EXPECT_EQ(connectionsSeen, 1);
    EXPECT_TRUE(mixer.IsConsistent());
}

}  // namespace
