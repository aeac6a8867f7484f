#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <memory>

#include "TQuavrel.h"
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
        QCOMPARE(window->TrayIcon->ToolTip(), QStringLiteral("Welcome to Quavrel v1.1"));
        QVERIFY(window->TrayIcon->Active());
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

        QCOMPARE(window->Open1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
        QCOMPARE(window->Exit2->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
        QCOMPARE(window->MoveFwd1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(window->ClearPlayList1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Delete));
        QCOMPARE(window->RenameFileinPlayList1->text(), QStringLiteral("Edit Caption"));
        QCOMPARE(window->NextSong1->shortcut(), QKeySequence(Qt::Key_F6));
        QCOMPARE(window->PrevSong1->text(), QStringLiteral("Prev"));
        QVERIFY(window->Loop1->isChecked());
        QVERIFY(!window->Shuffle2->isChecked());
        QVERIFY(window->List1->isChecked());
        QVERIFY(!window->Detailed2->isChecked());
        QVERIFY(!window->Type1->isEnabled());
        QVERIFY(window->ImageBut2->isChecked());
        QVERIFY(window->HotTrack1->isChecked());
        QVERIFY(window->FunctionsToolbar1->isChecked());

        QCOMPARE(Captions(window->TrayPopUp),
                 (QStringList{"File Type Filtering", "-", "Load PlayList", "Save PlayList", "-",
                              "Loop", "Shuffle", "Preview", "-", "Play", "Pause", "Next",
                              "Previous", "-", "AlwaysOnTop", "Exit"}));
        QVERIFY(window->LoopN->isChecked());
        QCOMPARE(window->Skip->shortcut(), QKeySequence(Qt::Key_F5));
        QCOMPARE(Captions(window->ItemPopUp),
                 (QStringList{"Rename", "Delete", "Save Selected", "-", "Clear"}));
        QCOMPARE(window->PopupMenu1->actions().size(), 11);
        QCOMPARE(window->ToggleColorScheme2->text(), QStringLiteral("Windows Colors"));
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
        QCOMPARE(window->TrayIcon->ToolTip(), QStringLiteral("Closing"));
        QVERIFY(!window->isVisible());
        QVERIFY(!window->State().FilterList);  // FormClose ran
        window->close();                       // a second close changes nothing
        QVERIFY(!window->State().FilterList);
        QVERIFY(messages_.shown.empty());
    }
};

QTEST_MAIN(TQuavrelTest)
#include "TQuavrelTest.moc"
