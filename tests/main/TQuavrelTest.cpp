#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <memory>

#include "TQuavrel.h"
#include "support/FindPart.h"
#include "support/MainWindowFakes.h"
#include "widgets/TTrayIcon.h"

namespace {

QStringList Captions(const QMenu* menu) {
    QStringList result;
    for (const QAction* action : menu->actions())
        result << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return result;
}

}  // namespace

class TQuavrelTest : public QObject, protected MainWindowFakes {
    Q_OBJECT

private:
    std::unique_ptr<TQuavrel> Start(bool trayAvailable) {
        return std::make_unique<TQuavrel>(Services(trayAvailable));
    }

private slots:
    void init() { NewSettingsFolder(); }

    void firstStartShowsTheWindowWithItsDesignedState() {
        auto window = Start(true);
        QVERIFY(window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Quavrel v2.0"));
        QCOMPARE(Part<TTrayIcon>(*window, "TrayIcon")->ToolTip(),
                 QStringLiteral("Welcome to Quavrel v1.1"));
        QVERIFY(Part<TTrayIcon>(*window, "TrayIcon")->Active());
        QCOMPARE(window->State().LoopOn, 1);
        QCOMPARE(window->State().ShuffleOn, 0);
        QCOMPARE(window->State().PlayMode, 0);
        QCOMPARE(window->State().FilteringOn, 1);
        QVERIFY(window->State().FilterList);
        QCOMPARE(window->State().ButtonWidth, 44);
        QCOMPARE(window->State().ButtonHeight, 41);
        QVERIFY(window->PlayListModel().Empty());
    }

    void menusHoldTheirItemsShortcutsAndTicks() {
        auto window = Start(true);
        QStringList titles;
        for (QAction* action : window->menuBar()->actions())
            titles << action->text();
        QCOMPARE(titles, (QStringList{"PlayList", "Edit", "Sequence", "View", "Toolbar", "About"}));

        QCOMPARE(Part<QAction>(*window, "Open1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
        QCOMPARE(Part<QAction>(*window, "Exit2")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
        QCOMPARE(Part<QAction>(*window, "MoveFwd1")->shortcut(),
                 QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(Part<QAction>(*window, "ClearPlayList1")->shortcut(),
                 QKeySequence(Qt::CTRL | Qt::Key_Delete));
        QCOMPARE(Part<QAction>(*window, "RenameFileinPlayList1")->text(),
                 QStringLiteral("Edit Caption"));
        QCOMPARE(Part<QAction>(*window, "NextSong1")->shortcut(), QKeySequence(Qt::Key_F6));
        QCOMPARE(Part<QAction>(*window, "PrevSong1")->text(), QStringLiteral("Prev"));
        QVERIFY(Part<QAction>(*window, "Loop1")->isChecked());
        QVERIFY(!Part<QAction>(*window, "Shuffle2")->isChecked());
        QVERIFY(Part<QAction>(*window, "List1")->isChecked());
        QVERIFY(!Part<QAction>(*window, "Detailed2")->isChecked());
        QVERIFY(!Part<QAction>(*window, "Type1")->isEnabled());
        QVERIFY(Part<QAction>(*window, "ImageBut2")->isChecked());
        QVERIFY(Part<QAction>(*window, "HotTrack1")->isChecked());
        QVERIFY(Part<QAction>(*window, "FunctionsToolbar1")->isChecked());

        QCOMPARE(
            Captions(Part<QMenu>(*window, "TrayPopUp")),
            (QStringList{"File Type Filtering", "-", "Load PlayList", "Save PlayList", "-", "Loop",
                         "Shuffle", "Preview", "-", "Play", "Pause", "Next", "Previous",
                         "Stop After This Entry", "Jump to File", "-", "AlwaysOnTop", "Exit"}));
        QVERIFY(Part<QAction>(*window, "LoopN")->isChecked());
        QVERIFY(!Part<QAction>(*window, "StopAfterEntry2")->isChecked());
        QCOMPARE(Part<QAction>(*window, "OpenLocation1")->shortcut(),
                 QKeySequence(Qt::CTRL | Qt::Key_U));
        QCOMPARE(Part<QAction>(*window, "OpenLocation1")->text(),
                 QString::fromUtf8("Open Location\u2026"));
        QVERIFY(Part<QAction>(*window, "ReplayGainOff1")->isChecked());
        QVERIFY(!Part<QAction>(*window, "ResumePlayback1")->isChecked());
        QCOMPARE(Part<QAction>(*window, "Skip")->shortcut(), QKeySequence(Qt::Key_F5));
        QCOMPARE(Captions(Part<QMenu>(*window, "ItemPopUp")),
                 (QStringList{"Rename", "Delete", "Save Selected", "-", "Clear"}));
        QCOMPARE(Part<QMenu>(*window, "PopupMenu1")->actions().size(), 11);
        QCOMPARE(Part<QAction>(*window, "ToggleColorScheme2")->text(),
                 QStringLiteral("Windows Colors"));
    }

    void minimisingWithATrayHidesTheWindowAndPlaybackGoesOn() {
        auto window = Start(true);
        media_.AddFile("/m/a.wav", 10000);
        media_.SetFileName("/m/a.wav");
        media_.Open();
        media_.Play();
        window->showMinimized();
        QTRY_VERIFY(!window->isVisible());
        QCOMPARE(media_.Mode(), MediaMode::Playing);
        window->TrayIconClick();
        QVERIFY(window->isVisible());
        QVERIFY(!window->isMinimized());
    }

    void minimisingWithoutATrayKeepsTheWindowReachable() {
        auto window = Start(false);
        window->showMinimized();
        QTest::qWait(50);
        QVERIFY(window->isVisible());
    }

    void exitSaysClosingAndClosesOnce() {
        auto window = Start(true);
        window->Exit1Click();
        QCOMPARE(Part<TTrayIcon>(*window, "TrayIcon")->ToolTip(), QStringLiteral("Closing"));
        QVERIFY(!window->isVisible());
        QVERIFY(!window->State().FilterList);  // FormClose ran
        window->close();                       // a second close changes nothing
        QVERIFY(!window->State().FilterList);
        QVERIFY(messages_.shown.empty());
    }
};

QTEST_MAIN(TQuavrelTest)
#include "TQuavrelTest.moc"
