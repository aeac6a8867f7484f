#include <gtest/gtest.h>

#include "fakes/FakeMediaDevice.h"
#include "mpris/TrackedMediaDevice.h"

namespace {

class TrackedMediaDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        inner_.AddFile("/m/a.wav", 1000);
        inner_.AddFile("/m/b.wav", 2000);
        device_.SetOnNotify([this] { ++notices_; });
    }

    FakeMediaDevice inner_;
    TrackedMediaDevice device_{inner_};
    int notices_ = 0;
};

TEST_F(TrackedMediaDeviceTest, KnowsTheOpenFileWhateverFileNameSaysLater) {
    EXPECT_EQ(device_.OpenFile(), "");
    EXPECT_EQ(device_.OpenCount(), 0u);
    device_.SetFileName("/m/a.wav");
    device_.Open();
    EXPECT_EQ(device_.OpenFile(), "/m/a.wav");
    EXPECT_EQ(device_.Length(), 1000);
    // The program names another file without opening it (a drop does).
    device_.SetFileName("/m/b.wav");
    EXPECT_EQ(device_.OpenFile(), "/m/a.wav");
    device_.Close();
    EXPECT_EQ(device_.OpenFile(), "");
    EXPECT_EQ(device_.Mode(), MediaMode::NotReady);
}

TEST_F(TrackedMediaDeviceTest, CountsEveryOpenOfTheSameFileAndNoFailedOne) {
    device_.SetFileName("/m/a.wav");
    device_.Open();
    device_.Open();
    EXPECT_EQ(device_.OpenCount(), 2u);
    device_.SetFileName("/m/missing.wav");
    EXPECT_THROW(device_.Open(), EMCIDeviceError);
    EXPECT_EQ(device_.OpenCount(), 2u);
    EXPECT_EQ(device_.OpenFile(), "");  // a failed open leaves nothing open
}

TEST_F(TrackedMediaDeviceTest, PassesCommandsOnAndNoticesBack) {
    device_.SetFileName("/m/b.wav");
    device_.Open();
    device_.Notify(true);
    device_.Play();
    EXPECT_EQ(device_.Mode(), MediaMode::Playing);
    inner_.Advance(500);
    EXPECT_EQ(device_.Position(), 500);
    device_.Seek(1500);
    EXPECT_EQ(device_.Position(), 1500);
    device_.Play();
    inner_.PlayToEnd();
    inner_.DeliverNotices();
    EXPECT_GE(notices_, 1);
    EXPECT_EQ(device_.NotifyValue(), NotifyResult::Successful);
    EXPECT_EQ(inner_.Log(),
              (std::vector<std::string>{"open /m/b.wav", "play", "seek 1500", "play"}));
}

TEST_F(TrackedMediaDeviceTest, PlaysByTheRewindRuleSetOnIt) {
    device_.SetFileName("/m/a.wav");
    device_.Open();
    device_.SetAutoRewind(false);
    device_.Play();
    EXPECT_FALSE(inner_.AutoRewind());
    device_.SetAutoRewind(true);
    device_.Play();
    EXPECT_TRUE(inner_.AutoRewind());
}

}  // namespace
