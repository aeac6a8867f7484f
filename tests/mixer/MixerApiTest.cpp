// One suite for every MixerApi: the PulseAudio mixer against the test server, and the fake.
#include "mixer/MixerApi.h"

#include <QTest>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "PulseTestServer.h"
#include "fakes/FakeMixerApi.h"
#include "mixer/PulseMixerApi.h"
#include "services/QtUiPost.h"

namespace {

using Values = std::vector<std::uint32_t>;

// A mixer with one output, and the world outside the program that changes it.
class MixerEnvironment {
public:
    virtual ~MixerEnvironment() = default;
    virtual MixerApi& Api() = 0;
    // Empty when the suite can run. Unless MustRun, the reason is a skip, else a failure.
    virtual std::string SkipReason() = 0;
    virtual bool MustRun() = 0;
    // Both channels of the output, as another mixer program sets them. The value is below
    // 65535, where the PulseAudio server's own units and the mixer's agree.
    virtual void SetOutsideVolume(std::uint32_t volume) = 0;
    virtual void StartStream() = 0;

protected:
    QtUiPost uiPost_;
};

class PulseEnvironment final : public MixerEnvironment {
public:
    MixerApi& Api() override { return api_; }
    std::string SkipReason() override { return server_.SkipReason(); }
    bool MustRun() override { return !server_.MayBeSkipped(); }
    void SetOutsideVolume(std::uint32_t volume) override { server_.SetSinkVolume(volume); }
    void StartStream() override { server_.StartStream(); }

private:
    PulseTestServer server_;
    PulseMixerApi api_{uiPost_};
};

class FakeEnvironment final : public MixerEnvironment {
public:
    FakeEnvironment() { api_.AddOutput("Output"); }
    MixerApi& Api() override { return api_; }
    std::string SkipReason() override { return {}; }
    bool MustRun() override { return true; }
    void SetOutsideVolume(std::uint32_t volume) override { api_.SetValues(1, {volume, volume}); }
    void StartStream() override {
        const int source = api_.AddSource(0, "Stream", 2);
        api_.AddControl(0, source, MixerControlType::Volume, 0);
        api_.AddControl(0, source, MixerControlType::Mute, MixerControlFlag::Uniform);
    }

private:
    FakeMixerApi api_{uiPost_};
};

using MakeEnvironment = std::function<std::unique_ptr<MixerEnvironment>()>;

struct Notice {
    MixerNotice notice;
    std::uint32_t handle;
    std::uint32_t id;
};

class MixerApiTest : public ::testing::TestWithParam<std::tuple<const char*, MakeEnvironment>> {
protected:
    void SetUp() override {
        environment_ = std::get<1>(GetParam())();
        const std::string reason = environment_->SkipReason();
        if (!reason.empty()) {
            if (environment_->MustRun())
                FAIL() << reason;
            GTEST_SKIP() << reason;
        }
    }
    void TearDown() override {
        if (handle_ && environment_)
            Api().Close(*handle_);
    }

    MixerApi& Api() { return environment_->Api(); }
    std::uint32_t OpenDevice() {
        handle_ = Api().Open(0, [this](MixerNotice notice, std::uint32_t handle, std::uint32_t id) {
            notices_.push_back({notice, handle, id});
        });
        EXPECT_TRUE(handle_.has_value());
        return handle_.value_or(0);
    }
    // The output's controls: volume first, then mute, as both mixers list them.
    std::vector<MixerControl> OutputControls(std::uint32_t handle) {
        const auto line = Api().GetDestinationLine(handle, 0);
        EXPECT_TRUE(line.has_value());
        return Api()
            .GetLineControls(handle, line ? line->LineID : 0)
            .value_or(std::vector<MixerControl>{});
    }
    bool WaitForNotice(const std::function<bool(const Notice&)>& wanted) {
        return QTest::qWaitFor([&] {
            for (const Notice& notice : notices_)
                if (wanted(notice))
                    return true;
            return false;
        });
    }

    std::unique_ptr<MixerEnvironment> environment_;
    std::optional<std::uint32_t> handle_;
    std::vector<Notice> notices_;
};

TEST_P(MixerApiTest, HasOneDeviceWhoseFirstDestinationIsATwoChannelOutput) {
    EXPECT_EQ(Api().DeviceCount(), 1);
    EXPECT_FALSE(Api().Open(1, {}).has_value());
    const std::uint32_t handle = OpenDevice();
    EXPECT_NE(handle, 0u);
    EXPECT_FALSE(Api().Open(0, {}).has_value()) << "a device opens once at a time";

    const auto caps = Api().GetDevCaps(handle);
    ASSERT_TRUE(caps.has_value());
    EXPECT_GE(caps->Destinations, 1);
    EXPECT_FALSE(caps->Name.empty());
    const auto line = Api().GetDestinationLine(handle, 0);
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(line->Destination, 0);
    EXPECT_EQ(line->Channels, 2);
    EXPECT_EQ(line->Controls, 2);

    const auto controls = OutputControls(handle);
    ASSERT_EQ(controls.size(), 2u);
    EXPECT_EQ(controls[0].ControlType, MixerControlType::Volume);
    EXPECT_EQ(controls[0].Flags, 0u);
    EXPECT_EQ(controls[1].ControlType, MixerControlType::Mute);
    EXPECT_EQ(controls[1].Flags, MixerControlFlag::Uniform);
    EXPECT_NE(controls[0].ControlID, controls[1].ControlID);
}

TEST_P(MixerApiTest, AVolumeWrittenReadsBackUnchangedPerChannel) {
    const std::uint32_t handle = OpenDevice();
    const std::uint32_t volume = OutputControls(handle).at(0).ControlID;

    for (const std::uint32_t value : {0u, 1u, 16383u, 49152u, 65534u, 65535u}) {
        ASSERT_TRUE(Api().SetControlDetails(handle, volume, 2, 0, {value, value}));
        EXPECT_EQ(Api().GetControlDetails(handle, volume, 2, 0), (Values{value, value}));
    }
    ASSERT_TRUE(Api().SetControlDetails(handle, volume, 2, 0, {1000, 2000}));
    EXPECT_EQ(Api().GetControlDetails(handle, volume, 2, 0), (Values{1000, 2000}));
    // Read as one channel: the louder; written as one channel: all of them.
    EXPECT_EQ(Api().GetControlDetails(handle, volume, 1, 0), (Values{2000}));
    ASSERT_TRUE(Api().SetControlDetails(handle, volume, 1, 0, {3000}));
    EXPECT_EQ(Api().GetControlDetails(handle, volume, 2, 0), (Values{3000, 3000}));
    // The scale ends at 65535.
    ASSERT_TRUE(Api().SetControlDetails(handle, volume, 2, 0, {70000, 65535}));
    EXPECT_EQ(Api().GetControlDetails(handle, volume, 2, 0), (Values{65535, 65535}));
}

TEST_P(MixerApiTest, MuteIsWrittenWithoutTouchingTheVolume) {
    const std::uint32_t handle = OpenDevice();
    const auto controls = OutputControls(handle);
    const std::uint32_t volume = controls.at(0).ControlID;
    const std::uint32_t mute = controls.at(1).ControlID;
    ASSERT_TRUE(Api().SetControlDetails(handle, volume, 2, 0, {30000, 30000}));

    ASSERT_TRUE(Api().SetControlDetails(handle, mute, 1, 0, {1}));
    EXPECT_EQ(Api().GetControlDetails(handle, mute, 1, 0), (Values{1}));
    EXPECT_EQ(Api().GetControlDetails(handle, volume, 2, 0), (Values{30000, 30000}));
    ASSERT_TRUE(Api().SetControlDetails(handle, mute, 1, 0, {0}));
    EXPECT_EQ(Api().GetControlDetails(handle, mute, 1, 0), (Values{0}));
}

TEST_P(MixerApiTest, OutsideChangesArriveAsControlChangesOfTheVolumeControl) {
    const std::uint32_t handle = OpenDevice();
    const std::uint32_t volume = OutputControls(handle).at(0).ControlID;

    environment_->SetOutsideVolume(49152);
    ASSERT_TRUE(WaitForNotice([&](const Notice& notice) {
        return notice.notice == MixerNotice::ControlChange && notice.handle == handle &&
               notice.id == volume;
    }));
    EXPECT_EQ(Api().GetControlDetails(handle, volume, 2, 0), (Values{49152, 49152}));

    // Closed, the device is quiet; opened again, it speaks with its new handle only.
    Api().Close(handle);
    handle_.reset();
    environment_->SetOutsideVolume(1000);
    notices_.clear();
    const std::uint32_t again = OpenDevice();
    environment_->SetOutsideVolume(2000);
    ASSERT_TRUE(WaitForNotice([&](const Notice& notice) { return notice.handle == again; }));
    for (const Notice& notice : notices_)
        EXPECT_EQ(notice.handle, again);
}

TEST_P(MixerApiTest, AStreamPlayingIntoTheOutputIsOneOfItsSourceLines) {
    const std::uint32_t handle = OpenDevice();
    environment_->StartStream();
    ASSERT_TRUE(WaitForNotice([&](const Notice& notice) {
        return notice.notice == MixerNotice::LineChange && notice.handle == handle;
    }));

    const auto output = Api().GetDestinationLine(handle, 0);
    ASSERT_TRUE(output.has_value());
    ASSERT_GE(output->Connections, 1);
    const auto stream = Api().GetSourceLine(handle, 0, output->Connections - 1);
    ASSERT_TRUE(stream.has_value());
    EXPECT_EQ(stream->Destination, 0);
    EXPECT_NE(stream->LineID, output->LineID);
    const auto controls = Api().GetLineControls(handle, stream->LineID);
    ASSERT_TRUE(controls.has_value());
    ASSERT_EQ(controls->size(), 2u);
    const std::uint32_t volume = controls->at(0).ControlID;
    ASSERT_TRUE(Api().SetControlDetails(handle, volume, stream->Channels, 0,
                                        Values(static_cast<std::size_t>(stream->Channels), 4000)));
    EXPECT_EQ(Api().GetControlDetails(handle, volume, 1, 0), (Values{4000}));
    EXPECT_FALSE(Api().GetSourceLine(handle, 0, output->Connections).has_value());
}

TEST_P(MixerApiTest, RequestsForWhatDoesNotExistFail) {
    EXPECT_FALSE(Api().GetDevCaps(12345).has_value()) << "a handle never opened";
    const std::uint32_t handle = OpenDevice();
    const auto caps = Api().GetDevCaps(handle);
    ASSERT_TRUE(caps.has_value());
    EXPECT_FALSE(Api().GetDestinationLine(handle, caps->Destinations).has_value());
    EXPECT_FALSE(Api().GetDestinationLine(handle, -1).has_value());
    EXPECT_FALSE(Api().GetSourceLine(handle, 0, 99).has_value());
    EXPECT_FALSE(Api().GetLineControls(handle, 0xFFFFFFF0).has_value());
    EXPECT_FALSE(Api().GetControlDetails(handle, 0xFFFFFFF0, 1, 0).has_value());

    const auto controls = OutputControls(handle);
    const std::uint32_t volume = controls.at(0).ControlID;
    const std::uint32_t mute = controls.at(1).ControlID;
    EXPECT_FALSE(Api().GetControlDetails(handle, volume, 3, 0).has_value());
    EXPECT_FALSE(Api().GetControlDetails(handle, volume, 2, 1).has_value());
    EXPECT_FALSE(Api().GetControlDetails(handle, mute, 2, 0).has_value());
    EXPECT_FALSE(Api().SetControlDetails(handle, volume, 2, 0, {1}));
    EXPECT_FALSE(Api().SetControlDetails(handle, volume, 3, 0, {1, 1, 1}));
    EXPECT_FALSE(Api().SetControlDetails(handle + 1, volume, 2, 0, {1, 1}));
    Api().Close(handle + 1);  // an unknown handle: nothing happens
    EXPECT_TRUE(Api().GetDevCaps(handle).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Mixers, MixerApiTest,
    ::testing::Values(std::make_tuple("PulseAudio", MakeEnvironment([] {
                                          return std::make_unique<PulseEnvironment>();
                                      })),
                      std::make_tuple("Fake", MakeEnvironment([] {
                                          return std::make_unique<FakeEnvironment>();
                                      }))),
    [](const auto& info) { return std::string(std::get<0>(info.param)); });

}  // namespace
