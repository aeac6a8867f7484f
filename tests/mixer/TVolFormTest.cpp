// The volume pop-up on the fake mixer, and on the PulseAudio mixer against the test server.
#include "mixer/TVolForm.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include "PulseTestServer.h"
#include "fakes/FakeMixerApi.h"
#include "mixer/PulseMixerApi.h"
#include "services/QtUiPost.h"

namespace {

using Values = std::vector<std::uint32_t>;

// The pop-up over a mixer, beside a stand-in for the main window, wired as the main window
// wires them (TQuavrelVolumeTest checks that wiring on the real main window).
class PopUp {
public:
    explicit PopUp(MixerApi& mixerApi) : mixer_(mixerApi) {
        main_.setGeometry(120, 80, 410, 458);
        main_.show();
        pop_ = new TVolForm(mixer_, &main_);
        mixer_.OnControlChange = [this](TAudioMixer&, std::uint32_t, std::uint32_t) {
            pop_->Refresh();
        };
        mixer_.OnLineChange = mixer_.OnControlChange;
    }
    TVolForm& operator*() { return *pop_; }
    TVolForm* operator->() { return pop_; }
    QWidget& Main() { return main_; }
    TAudioMixer& Mixer() { return mixer_; }
    // The pop-up is a window of its own: the window system activates it a moment later.
    void Open() {
        pop_->PopUp(main_.frameGeometry());
        QTest::qWaitFor([this] { return pop_->TrackBar1->hasFocus(); });
    }

private:
    TAudioMixer mixer_;
    QWidget main_;  // owns the pop-up; goes before the mixer
    TVolForm* pop_;
};

class TVolFormTest : public ::testing::Test {
protected:
    TVolFormTest() { api_.AddOutput("Speakers"); }

    static constexpr std::uint32_t Volume = 1;  // the output's controls, as AddOutput makes them
    static constexpr std::uint32_t Mute = 2;
    QtUiPost uiPost_;
    FakeMixerApi api_{uiPost_};
};

TEST_F(TVolFormTest, OpensOnTheMainWindowsCornerShowingTheVolumeAndWritesNothing) {
    api_.SetValues(Volume, {49152, 49152});
    api_.SetValues(Mute, {1});
    PopUp pop(api_);
    EXPECT_FALSE(pop->isVisible());

    pop.Open();

    ASSERT_TRUE(pop->isVisible());
    EXPECT_TRUE(pop->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(pop->size(), QSize(50, TVolForm::DesignedHeight));
    EXPECT_EQ(pop->frameGeometry().bottomRight(), pop.Main().frameGeometry().bottomRight());
    EXPECT_EQ(pop->TrackBar1->value(), 16383);
    EXPECT_TRUE(pop->VolCheck->isChecked());
    EXPECT_TRUE(pop->TrackBar1->isEnabled());
    EXPECT_TRUE(pop->VolCheck->isEnabled());
    EXPECT_TRUE(pop->TrackBar1->hasFocus());
    EXPECT_EQ(api_.Writes(), 0);
    EXPECT_EQ(api_.Values(Mute), (Values{1}));
}

TEST_F(TVolFormTest, TheSliderSetsBothChannelsTopLoudestAndTheBoxOnlyTheMute) {
    api_.SetValues(Volume, {30000, 30000});
    PopUp pop(api_);
    pop.Open();
    QSlider& slider = *pop->TrackBar1;

    slider.triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(api_.Values(Volume), (Values{65535, 65535}));
    slider.triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(api_.Values(Volume), (Values{0, 0}));
    slider.setValue(16383);
    EXPECT_EQ(api_.Values(Volume), (Values{49152, 49152}));
    // The up key moves the thumb up: louder.
    QTest::keyClick(&slider, Qt::Key_Up);
    EXPECT_EQ(slider.value(), 16382);
    EXPECT_EQ(api_.Values(Volume), (Values{49153, 49153}));

    // A balance set elsewhere survives the mute box.
    api_.SetValues(Volume, {49153, 20000});
    QTest::mouseClick(pop->VolCheck, Qt::LeftButton);
    EXPECT_EQ(api_.Values(Mute), (Values{1}));
    EXPECT_EQ(api_.Values(Volume), (Values{49153, 20000}));
    EXPECT_TRUE(pop->isVisible()) << "a click on the box leaves the focus on the slider";
    EXPECT_TRUE(slider.hasFocus());

    // A double click on the panel writes the pop-up's settings again.
    const int writes = api_.Writes();
    QTest::mouseDClick(pop->Panel1, Qt::LeftButton, {}, QPoint(pop->Panel1->width() - 2, 2));
    EXPECT_EQ(api_.Writes(), writes + 2);
    EXPECT_EQ(api_.Values(Volume), (Values{49153, 49153}));
    EXPECT_EQ(api_.Values(Mute), (Values{1}));
}

TEST_F(TVolFormTest, FollowsChangesMadeElsewhereWhileHiddenWithoutWritingBack) {
    PopUp pop(api_);
    ASSERT_FALSE(pop->isVisible());

    api_.SetValues(Volume, {1000, 3000});
    api_.SetValues(Mute, {1});
    ASSERT_TRUE(QTest::qWaitFor([&] { return pop->VolCheck->isChecked(); }));
    EXPECT_EQ(pop->TrackBar1->value(), 64535);
    EXPECT_FALSE(pop->isVisible());
    EXPECT_EQ(api_.Writes(), 0);
    EXPECT_EQ(api_.Values(Volume), (Values{1000, 3000}));
}

TEST_F(TVolFormTest, LeavesTheSliderAloneWhileTheUserDragsIt) {
    PopUp pop(api_);
    pop.Open();
    pop->TrackBar1->setSliderDown(true);
    pop->TrackBar1->setSliderPosition(100);
    ASSERT_EQ(api_.Values(Volume), (Values{65435, 65435}));

    api_.SetValues(Volume, {5000, 5000});
    api_.SetValues(Mute, {1});
    ASSERT_TRUE(QTest::qWaitFor([&] { return pop->VolCheck->isChecked(); }));
    EXPECT_EQ(pop->TrackBar1->value(), 100);
}

TEST_F(TVolFormTest, ClosesOnAClickElsewhereOnFocusLossAndAtTheEndOfADrag) {
    PopUp pop(api_);

    pop.Open();
    ASSERT_TRUE(pop->isVisible());
    // Through the window system, as a real click comes, so the pop-up sees it land outside.
    QTest::mouseClick(pop.Main().windowHandle(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(pop->isVisible());

    pop.Open();
    ASSERT_TRUE(pop->isVisible());
    QWidget other;
    other.show();
    other.activateWindow();
    QTest::qWait(0);
    EXPECT_FALSE(pop->isVisible()) << "another window took the activation";

    pop.Open();
    ASSERT_TRUE(pop->isVisible());
    pop->TrackBar1->setSliderDown(true);
    EXPECT_TRUE(pop->isVisible());
    pop->TrackBar1->setSliderDown(false);
    EXPECT_FALSE(pop->isVisible());
}

TEST_F(TVolFormTest, AScreenReaderFindsThePopUpItsVolumeInPercentAndItsMute) {
    api_.SetValues(Volume, {49152, 49152});
    PopUp pop(api_);
    pop.Open();

    QAccessibleInterface* application = QAccessible::queryAccessibleInterface(qApp);
    ASSERT_NE(application, nullptr);
    bool listed = false;
    for (int i = 0; i < application->childCount(); ++i)
        listed = listed || application->child(i)->object() == &*pop;
    EXPECT_TRUE(listed) << "Qt leaves a Qt::Popup out of the tree";
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&*pop)->text(QAccessible::Name),
              QStringLiteral("Volume"));

    QAccessibleInterface* slider = QAccessible::queryAccessibleInterface(pop->TrackBar1);
    EXPECT_EQ(slider->role(), QAccessible::Slider);
    EXPECT_EQ(slider->text(QAccessible::Name), QStringLiteral("Volume"));
    QAccessibleValueInterface* value = slider->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->currentValue().toInt(), 75);
    EXPECT_EQ(value->minimumValue().toInt(), 0);
    EXPECT_EQ(value->maximumValue().toInt(), 100);
    EXPECT_EQ(slider->text(QAccessible::Value), QStringLiteral("75%"));
    value->setCurrentValue(100);
    EXPECT_EQ(api_.Values(Volume), (Values{65535, 65535}));
    value->setCurrentValue(0);
    EXPECT_EQ(api_.Values(Volume), (Values{0, 0}));

    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(pop->VolCheck);
    EXPECT_EQ(box->role(), QAccessible::CheckBox);
    EXPECT_EQ(box->text(QAccessible::Name), QStringLiteral("Mute"));
    EXPECT_FALSE(box->state().checked);
    pop->VolCheck->click();
    EXPECT_TRUE(box->state().checked);
}

TEST_F(TVolFormTest, WorksFromTheKeyboardAlone) {
    api_.SetValues(Volume, {32768, 32768});
    PopUp pop(api_);
    pop.Main().activateWindow();
    pop->Toggle(pop.Main().frameGeometry());
    ASSERT_TRUE(pop->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return pop->TrackBar1->hasFocus(); }));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
    EXPECT_GT(api_.Values(Volume)[0], 32768u) << "up is louder";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_TRUE(pop->isVisible()) << "Tab goes on to the mute box";
    ASSERT_TRUE(pop->VolCheck->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(api_.Values(Mute), (Values{1}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_TRUE(pop->TrackBar1->hasFocus());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(pop->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&pop.Main()))
        << "the keyboard goes back to the main window";
}

TEST_F(TVolFormTest, ThePressOnTheVolumeButtonThatClosesItDoesNotOpenItAgain) {
    PopUp pop(api_);
    auto* button = new QToolButton(&pop.Main());
    button->setGeometry(10, 10, 24, 24);
    button->show();
    // Wired as the main window wires its volume button: the press toggles the pop-up.
    struct PressFilter : QObject {
        std::function<void()> action;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::MouseButtonPress)
                action();
            return false;
        }
    } filter;
    filter.action = [&] { pop->Toggle(pop.Main().frameGeometry()); };
    button->installEventFilter(&filter);

    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(pop->isVisible());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(pop->isVisible());
    pop->Toggle(pop.Main().frameGeometry());
    EXPECT_FALSE(pop->isVisible()) << "at once after closing, the press only closed it";
    button->removeEventFilter(&filter);
}

TEST_F(TVolFormTest, WithoutAMixerDeviceOpensWithDisabledControlsThatSayWhy) {
    api_.SetDeviceCount(0);
    PopUp pop(api_);
    pop.Open();

    ASSERT_TRUE(pop->isVisible());
    EXPECT_FALSE(pop->TrackBar1->isEnabled());
    EXPECT_FALSE(pop->VolCheck->isEnabled());
    EXPECT_EQ(pop->TrackBar1->toolTip(),
              QStringLiteral("Volume unavailable: no PulseAudio sound server answers"));
    EXPECT_EQ(pop->VolCheck->toolTip(),
              QStringLiteral("Mute unavailable: no PulseAudio sound server answers"));
    pop->TrackBar1->setValue(0);
    EXPECT_EQ(api_.Writes(), 0);
}

TEST_F(TVolFormTest, AnOutputWithoutMuteDisablesOnlyTheBox) {
    FakeMixerApi bare(uiPost_);
    const int output = bare.AddDestination("Speakers", 2);
    const auto volume = bare.AddControl(output, -1, MixerControlType::Volume, 0);
    bare.SetValues(volume, {65535, 65535});
    PopUp pop(bare);
    pop.Open();

    EXPECT_TRUE(pop->TrackBar1->isEnabled());
    EXPECT_TRUE(pop->TrackBar1->toolTip().isEmpty());
    EXPECT_EQ(pop->TrackBar1->value(), 0);
    EXPECT_FALSE(pop->VolCheck->isEnabled());
    EXPECT_EQ(pop->VolCheck->toolTip(),
              QStringLiteral("Mute unavailable: the output has no mute control"));
}

// The same pop-up on the PulseAudio mixer, changed from outside with pactl.
class TVolFormPulseTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string reason = server_.SkipReason();
        if (!reason.empty()) {
            if (!server_.MayBeSkipped())
                FAIL() << reason;
            GTEST_SKIP() << reason;
        }
    }

    QtUiPost uiPost_;
    PulseTestServer server_;
    PulseMixerApi api_{uiPost_};
};

TEST_F(TVolFormPulseTest, WithTheSinkAt49152ThePopUpOpensWithTheSliderAtAQuarter) {
    server_.SetSinkVolume(49152);
    PopUp pop(api_);
    pop.Open();
    EXPECT_EQ(pop->TrackBar1->value(), 16383);
    EXPECT_FALSE(pop->VolCheck->isChecked());
    EXPECT_EQ(server_.SinkVolume(), (Values{49152, 49152})) << "opening writes nothing";
}

TEST_F(TVolFormPulseTest, TheSliderAtTheTopSetsBothChannelsToFullAndAtTheBottomToZero) {
    server_.SetSinkVolume(20000);
    PopUp pop(api_);
    pop.Open();

    pop->TrackBar1->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(server_.SinkVolume(), (Values{65536, 65536}));  // the mixer's 65535 is 100 %
    EXPECT_EQ(pop.Mixer().GetVolume(0, -1)->Left, 65535);
    EXPECT_EQ(pop.Mixer().GetVolume(0, -1)->Right, 65535);
    pop->TrackBar1->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(server_.SinkVolume(), (Values{0, 0}));
}

TEST_F(TVolFormPulseTest, TheMuteBoxMutesAndLeavesTheVolume) {
    server_.SetSinkVolume(30000);
    PopUp pop(api_);
    pop.Open();

    QTest::mouseClick(pop->VolCheck, Qt::LeftButton);
    EXPECT_EQ(server_.SinkMute(), std::optional<bool>(true));
    EXPECT_EQ(server_.SinkVolume(), (Values{30000, 30000}));
    QTest::mouseClick(pop->VolCheck, Qt::LeftButton);
    EXPECT_EQ(server_.SinkMute(), std::optional<bool>(false));
}

TEST_F(TVolFormPulseTest, APactlVolumeChangeMovesTheSliderWhileThePopUpIsHidden) {
    PopUp pop(api_);
    ASSERT_FALSE(pop->isVisible());

    server_.SetSinkVolume(16384);
    EXPECT_TRUE(QTest::qWaitFor([&] { return pop->TrackBar1->value() == 65535 - 16384; }))
        << "slider at " << pop->TrackBar1->value();
    server_.SetSinkMute(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return pop->VolCheck->isChecked(); }));
    EXPECT_FALSE(pop->isVisible());
    EXPECT_EQ(server_.SinkVolume(), (Values{16384, 16384})) << "following writes nothing";
}

}  // namespace
