// The main window's volume parts: VolumeBut, Mixer and the pop-up wired to them.
#include <QCheckBox>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <memory>

#include <gtest/gtest.h>

#include "TQuavrel.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeMediaDevice.h"
#include "fakes/FakeMessageBox.h"
#include "fakes/FakeMixerApi.h"
#include "mixer/TAudioMixer.h"
#include "mixer/TVolForm.h"
#include "services/QtUiPost.h"
#include "support/FindPart.h"
#include "support/TempDir.h"

namespace {

using Values = std::vector<std::uint32_t>;

class TQuavrelVolumeTest : public ::testing::Test {
protected:
    TQuavrelVolumeTest() {
        api_.AddOutput("Speakers");
        window_ = std::make_unique<TQuavrel>(QuavrelServices{
            media_, clock_, messages_, dialogs_, settings_.Path().string(), [] { return false; }});
        window_->CreateVolume(api_);
        window_->show();
    }

    static constexpr std::uint32_t Volume = 1;  // the output's controls, as AddOutput makes them
    static constexpr std::uint32_t Mute = 2;
    QtUiPost uiPost_;
    FakeMixerApi api_{uiPost_};
    TempDir settings_;
    FakeMediaDevice media_;
    FakeClock clock_;
    FakeMessageBox messages_;
    FakeDialogs dialogs_;
    std::unique_ptr<TQuavrel> window_;
};

TEST_F(TQuavrelVolumeTest, AnyMouseButtonOnVolumeButOpensThePopUpOnTheWindowsCorner) {
    api_.SetValues(Volume, {49152, 49152});
    ASSERT_NE(Part<QToolButton>(*window_, "VolumeBut"), nullptr);
    EXPECT_EQ(window_->CreateVolumeBut(), Part<QToolButton>(*window_, "VolumeBut"));
    EXPECT_EQ(Part<QToolButton>(*window_, "VolumeBut")->toolTip(), QStringLiteral("Volume"));
    // The mixer reads device 0, as the media player interface sees it.
    EXPECT_EQ(static_cast<const PlayerControl&>(*window_).Volume(), 49152);
    ASSERT_NE(Part<TVolForm>(*window_, "VolForm"), nullptr);
    EXPECT_FALSE(Part<TVolForm>(*window_, "VolForm")->isVisible());

    QTest::mousePress(Part<QToolButton>(*window_, "VolumeBut"), Qt::MiddleButton);

    TVolForm& pop = *Part<TVolForm>(*window_, "VolForm");
    ASSERT_TRUE(pop.isVisible());
    EXPECT_EQ(pop.TrackBar1->value(), 16383);
    EXPECT_EQ(pop.frameGeometry().bottomRight(), window_->frameGeometry().bottomRight());
    EXPECT_FALSE(Part<QToolButton>(*window_, "VolumeBut")->isDown());
    pop.hide();
    QTest::mousePress(Part<QToolButton>(*window_, "VolumeBut"), Qt::RightButton);
    EXPECT_TRUE(pop.isVisible());
}

TEST_F(TQuavrelVolumeTest, TheMixersNoticesKeepTheHiddenPopUpInStep) {
    TVolForm& pop = *Part<TVolForm>(*window_, "VolForm");
    api_.SetValues(Volume, {65535, 65535});
    api_.SetValues(Mute, {1});
    ASSERT_TRUE(QTest::qWaitFor([&] { return pop.VolCheck->isChecked(); }));
    EXPECT_EQ(pop.TrackBar1->value(), 0);
    EXPECT_FALSE(pop.isVisible());
    EXPECT_EQ(api_.Writes(), 0);
}

}  // namespace
