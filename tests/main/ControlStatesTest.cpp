#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <memory>
#include <stdexcept>

#include "ControlStates.h"
#include "TQuavrel.h"
#include "support/FindPart.h"
#include "support/MainWindowFakes.h"
#include "views/TFileView.h"
#include "widgets/TAMAdvLed.h"

namespace {

// What one mode shows: both items' ticks and both lamps.
struct ModeShown {
    bool menuTick, popUpTick, leftLamp, rightLamp;
    bool operator==(const ModeShown&) const = default;
};

ModeShown Shown(const TQuavrel& w, const char* menuItem, const char* popUpItem,
                const char* leftLamp, const char* rightLamp) {
    return {Part<QAction>(w, menuItem)->isChecked(), Part<QAction>(w, popUpItem)->isChecked(),
            Part<TAMAdvLed>(w, leftLamp)->LedOn(), Part<TAMAdvLed>(w, rightLamp)->LedOn()};
}

ModeShown ShuffleShown(const TQuavrel& w) {
    return Shown(w, "Shuffle2", "Shuffle1", "LedS", "AMAdvLed1");
}
ModeShown LoopShown(const TQuavrel& w) {
    return Shown(w, "Loop1", "LoopN", "LedL", "AMAdvLed2");
}
ModeShown PreviewShown(const TQuavrel& w) {
    return Shown(w, "Preview1", "PreviewN", "LedP", "AMAdvLed3");
}
ModeShown All(bool on) {
    return {on, on, on, on};
}

// The commands a long job switches off, besides the list buttons.
const char* const kLongJobItems[] = {"Open1",          "LoadPlayList1", "DeleteSelected1",
                                     "ClearPlayList1", "MoveBack1",     "MoveFwd1",
                                     "Delete1",        "Clear1"};
const char* const kListButtons[] = {"TBDelete", "Clear", "MoveBack", "MoveFwd"};

}  // namespace

class ControlStatesTest : public QObject, protected MainWindowFakes {
    Q_OBJECT

private slots:
    void init() { NewSettingsFolder(); }

    void theStartStateHasTheButtonsOffTheItemsOnAndLoopLit() {
        auto window = StartShown();
        ControlStates& controls = window->Controls();
        QCOMPARE(controls.ButtonsOn().on, 0);
        QCOMPARE(controls.ButtonsOn().of, 14);
        QCOMPARE(controls.ItemsOn().on, controls.ItemsOn().of);
        QCOMPARE(controls.ItemsOn().of, 10);
        QVERIFY(!controls.CanPlay() && !controls.CanPause() && !controls.CanGoNext() &&
                !controls.CanGoPrevious() && !controls.CanSeek());
        QCOMPARE(ShuffleShown(*window), All(false));
        QCOMPARE(LoopShown(*window), All(true));
        QCOMPARE(PreviewShown(*window), All(false));
        QVERIFY(!Part<QLineEdit>(*window, "PMLen")->isEnabled());
    }

    void emptinessWritesEveryControlOnlyWhenPlaysStateChanges() {
        auto window = StartShown();
        ControlStates& controls = window->Controls();
        controls.FollowEmptiness(false);  // Play stays off: the items keep their start state
        QCOMPARE(controls.ItemsOn().on, 10);
        controls.FollowEmptiness(true);
        QCOMPARE(controls.ButtonsOn().on, 14);
        QCOMPARE(controls.ItemsOn().on, 10);
        QVERIFY(controls.CanPlay() && controls.CanPause() && controls.CanGoNext() &&
                controls.CanGoPrevious() && controls.CanSeek());
        controls.FollowEmptiness(false);
        QCOMPARE(controls.ButtonsOn().on, 0);
        QCOMPARE(controls.ItemsOn().on, 0);
    }

    void eachShuffleCommandTicksBothItemsAndLightsBothLamps() {
        auto window = StartShown();
        PlayerControl& bus = *window;
        const std::function<void()> commands[] = {
            [&] { window->ShuffleClick(); }, [&] { window->Shuffle1Click(); },
            [&] { window->Shuffle2Click(); }, [&] { bus.ToggleShuffle(); },
            [&] { Part<QToolButton>(*window, "Shuffle")->click(); }};
        for (const auto& command : commands) {
            const bool was = window->State().ShuffleOn == 1;
            command();
            QCOMPARE(window->State().ShuffleOn == 1, !was);
            QCOMPARE(ShuffleShown(*window), All(!was));
        }
    }

    void eachLoopCommandTicksBothItemsAndLightsBothLamps() {
        auto window = StartShown();
        PlayerControl& bus = *window;
        const std::function<void()> commands[] = {
            [&] { window->TBLoopClick(); }, [&] { window->LoopNClick(); },
            [&] { window->Loop1Click(); }, [&] { bus.ToggleLoop(); },
            [&] { Part<QAction>(*window, "Loop1")->trigger(); }};
        for (const auto& command : commands) {
            const bool was = window->State().LoopOn == 1;
            command();
            QCOMPARE(window->State().LoopOn == 1, !was);
            QCOMPARE(LoopShown(*window), All(!was));
        }
    }

    void eachPreviewCommandSwitchesTheLengthBoxWithTicksAndLamps() {
        auto window = StartShown();
        const std::function<void()> commands[] = {
            [&] { window->TBPlayModeClick(); }, [&] { window->PreviewNClick(); },
            [&] { window->Preview1Click(); },
            [&] { Part<QAction>(*window, "PreviewN")->trigger(); }};
        for (const auto& command : commands) {
            const bool was = window->State().PlayMode == 1;
            command();
            QCOMPARE(window->State().PlayMode == 1, !was);
            QCOMPARE(PreviewShown(*window), All(!was));
            QCOMPARE(Part<QLineEdit>(*window, "PMLen")->isEnabled(), !was);
        }
    }

    void aLongJobSwitchesTheListCommandsOffAndGivesThemBackAsTheyWere() {
        auto window = StartShown();
        ControlStates& controls = window->Controls();
        controls.FollowEmptiness(true);
        Part<QAction>(*window, "Clear1")->setEnabled(false);  // as a right-click off an entry
        auto* view = Part<TFileView>(*window, "FileList");
        {
            const ControlStates::LongJobCommandsOff off(controls);
            for (const char* item : kLongJobItems)
                QVERIFY2(!Part<QAction>(*window, item)->isEnabled(), item);
            for (const char* button : kListButtons)
                QVERIFY2(!Part<QToolButton>(*window, button)->isEnabled(), button);
            QVERIFY(!Part<QToolButton>(*window, "Load")->isEnabled());
            QVERIFY(!view->AcceptFiles());
            QVERIFY(controls.CanPlay());      // the transport stays
            controls.FollowEmptiness(false);  // the job emptied the list
        }
        for (const char* item : kLongJobItems)
            QCOMPARE(Part<QAction>(*window, item)->isEnabled(), qstrcmp(item, "Clear1") != 0);
        for (const char* button : kListButtons)  // as emptiness has them now
            QVERIFY2(!Part<QToolButton>(*window, button)->isEnabled(), button);
        QVERIFY(Part<QToolButton>(*window, "Load")->isEnabled());
        QVERIFY(view->AcceptFiles());
    }

    void aLongJobThatThrowsGivesTheCommandsBackToo() {
        auto window = StartShown();
        ControlStates& controls = window->Controls();
        controls.FollowEmptiness(true);
        try {
            const ControlStates::LongJobCommandsOff off(controls);
            throw std::runtime_error("the walk failed");
        } catch (const std::runtime_error&) {
        }
        for (const char* item : kLongJobItems)
            QVERIFY2(Part<QAction>(*window, item)->isEnabled(), item);
        for (const char* button : kListButtons)
            QVERIFY2(Part<QToolButton>(*window, button)->isEnabled(), button);
        QVERIFY(Part<QToolButton>(*window, "Load")->isEnabled());
    }
};

QTEST_MAIN(ControlStatesTest)
#include "ControlStatesTest.moc"
