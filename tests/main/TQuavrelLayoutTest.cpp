#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QSlider>
#include <QSplitter>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

#include "TQuavrel.h"
#include "support/MainWindowFakes.h"
#include "toolbars/TDock97.h"
#include "toolbars/TDockHost.h"
#include "toolbars/TToolbar97.h"
#include "toolbars/TToolbarSep97.h"
#include "views/TFileView.h"
#include "views/Tdirtree.h"
#include "widgets/TLCDLabel.h"

// The window's layouts: the short form, the toolbar toggles, text on buttons, the colour
// schemes, hot tracking, always on top, resizing, and the toolbars' docks and positions.
class TQuavrelLayoutTest : public QObject, protected MainWindowFakes {
    Q_OBJECT

private:
    std::unique_ptr<TQuavrel> Start() {
        auto window = std::make_unique<TQuavrel>(Services());
        window->Timer->stop();  // no ticks: these tests look at the layout only
        QTest::qWaitForWindowExposed(window.get());
        return window;
    }
    static QList<QToolButton*> ElevenButtons(TQuavrel& w) {
        return {w.Play,    w.Pause, w.PrevS, w.NextS, w.ToolbarButton975, w.TBDelete, w.MoveBack,
                w.MoveFwd, w.Load,  w.Save,  w.Clear};
    }
    static QWidget* Explorer(TQuavrel& w) { return w.Panel1; }

private slots:
    void init() { NewSettingsFolder(); }

    void fullWindowHoldsEachComponentWhereDesigned() {
        auto w = Start();
        QCOMPARE(w->TBFunctions->DockedTo(), w->Dock971);
        QCOMPARE(w->TBOPtions->DockedTo(), w->Dock971);
        QCOMPARE(w->TBSystem->DockedTo(), w->Dock975);
        QCOMPARE(w->TBTrackBar->DockedTo(), w->Dock974);
        QCOMPARE(w->TBFunctions->Left(), 0);
        QCOMPARE(w->TBFunctions->Top(), 0);
        QCOMPARE(w->TBOPtions->Left(), 201);
        QCOMPARE(w->TBOPtions->Top(), 0);
        QCOMPARE(w->TBOPtions->windowTitle(), QStringLiteral("Options"));
        QCOMPARE(w->TBTrackBar->windowTitle(), QStringLiteral("Progress Bar"));
        QCOMPARE(w->Play->parentWidget(), w->TBFunctions);
        QCOMPARE(w->Clear->parentWidget(), w->TBOPtions);
        QCOMPARE(w->ToolbarButton975->parentWidget(), w->TBSystem);
        QCOMPARE(w->ToolbarButton975->menu(), w->PopupMenu1);
        QCOMPARE(w->TrackBar->parentWidget(), w->TBTrackBar);
        QCOMPARE(w->ToolbarButton972->text(), QStringLiteral("MD"));
        QCOMPARE(w->ToolbarButton972->toolTip(), QStringLiteral("Make this PlayList Default"));
        for (QToolButton* button : ElevenButtons(*w)) {
            QCOMPARE(button->size(), QSize(44, 41));
            QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
            QVERIFY(!button->icon().isNull());
        }
        // The explorer pane stands over the docks; the mode strip is the bottom dock's inner row,
        // as wide as the window, above the progress toolbar.
        QVERIFY(w->DockHost->mapTo(w.get(), QPoint(0, 0)).y() >
                Explorer(*w)->mapTo(w.get(), QPoint(0, 0)).y());
        QWidget* panel3 = w->Panel3;
        QVERIFY(panel3);
        QCOMPARE(panel3->height(), 26);
        QVERIFY(panel3->width() >= w->width() - 2);
        QVERIFY(panel3->mapTo(w.get(), QPoint(0, 0)).y() <
                w->TBTrackBar->mapTo(w.get(), QPoint(0, 0)).y());
        QVERIFY(w->Panel6->isHidden());
        QCOMPARE(w->State().WindowsColors, 0);
        QCOMPARE(w->TBTrackBar->Color(), 0u);
        QCOMPARE(w->TBFunctions->Color(), 0xD7AE6Au);
    }

    void shortFormFromAMaximisedWindowRestoresItFirst() {
        auto w = Start();
        w->showMaximized();
        QTRY_VERIFY(w->isMaximized());
        w->ShortFormToggl1Click();
        QVERIFY(!w->isMaximized());
        QTRY_COMPARE(w->size(), QSize(294, 128));
        QVERIFY(!w->menuBar()->isVisible());
        QVERIFY(w->Panel6->isVisible());
        QVERIFY(!w->FileList->isVisible());
        QVERIFY(!w->ShortForm->isVisible());
        QVERIFY(w->TBFunctions->isHidden() && w->TBOPtions->isHidden() && w->TBSystem->isHidden());
        QVERIFY(!w->FunctionsToolbar1->isChecked());
        QVERIFY(w->TBTrackBar->isVisible());
        QVERIFY(w->Play3->isVisible());
        QCOMPARE(w->Play3->geometry(), QRect(5, 4, 52, 29));
        QCOMPARE(w->PrevS3->text(), QStringLiteral("Previous"));
        QCOMPARE(w->ToolbarButton976->geometry(), QRect(230, 4, 39, 28));
        // In the short form the mode strip keeps to the left edge.
        QCOMPARE(w->Panel7->x(), 0);
    }

    void leavingTheShortFormShowsEveryToolbarAgainAtTheDesignedSize() {
        auto w = Start();
        w->OptionsToolbar1Click();
        QVERIFY(w->TBOPtions->isHidden());
        QVERIFY(!w->OptionsToolbar1->isChecked());
        w->resize(500, 600);
        w->ShortFormToggl1Click();
        w->ShortFormToggl1Click();
        QVERIFY(w->TBOPtions->isVisible() && w->TBFunctions->isVisible() &&
                w->TBSystem->isVisible());
        QVERIFY(w->OptionsToolbar1->isChecked());
        QVERIFY(w->LoadSaveToolbar1->isChecked());
        QVERIFY(w->menuBar()->isVisible());
        QVERIFY(w->FileList->isVisible());
        QVERIFY(w->ShortForm->isVisible());
        QVERIFY(w->Panel6->isHidden());
        QTRY_COMPARE(w->size(), QSize(406, 455));
        QCOMPARE(w->ExplorerHeight(), 147);
        QTRY_COMPARE(Explorer(*w)->height(), 147);
    }

    void textOffMakesTheElevenButtonsPicturesOnly() {
        auto w = Start();
        w->ImageButClick();
        QVERIFY(!w->ImageBut->isChecked());
        QVERIFY(!w->ImageBut2->isChecked());
        for (QToolButton* button : ElevenButtons(*w)) {
            QCOMPARE(button->size(), QSize(27, 24));
            QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonIconOnly);
        }
        // The View menu's item does the same, whatever its own click did to its tick.
        w->ImageBut2->trigger();
        QVERIFY(w->ImageBut->isChecked());
        QVERIFY(w->ImageBut2->isChecked());
        for (QToolButton* button : ElevenButtons(*w)) {
            QCOMPARE(button->size(), QSize(44, 41));
            QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        }
    }

    void windowsColorsTwiceReturnsToTheDarkSchemeWithBlackDocks() {
        auto w = Start();
        QWidget* image2 = w->Image2;
        w->ToggleColorScheme2->trigger();
        QCOMPARE(w->State().WindowsColors, 1);
        QVERIFY(w->ToggleColorScheme2->isChecked());
        QCOMPARE(w->TBTrackBar->Color(), 0x8000000Fu);
        QCOMPARE(w->TBOPtions->Color(), 0x8000000Fu);
        for (TDock97* dock : {w->Dock971, w->Dock973, w->Dock974, w->Dock975})
            QCOMPARE(dock->Color(), 0u);
        if (image2)
            QVERIFY(image2->isHidden());
        QVERIFY(w->TrackBar->isEnabled());
        // The toolbars are drawn in the new colours.
        const QImage options = w->TBOPtions->grab().toImage();
        QCOMPARE(QColor(options.pixel(options.width() - 2, options.height() - 2)),
                 w->palette().color(QPalette::Button));
        const QImage progress = w->TBTrackBar->grab().toImage();
        QCOMPARE(QColor(progress.pixel(progress.width() - 2, 1)),
                 w->palette().color(QPalette::Button));

        w->ToggleColorScheme2->trigger();
        QCOMPARE(w->State().WindowsColors, 0);
        QVERIFY(!w->ToggleColorScheme2->isChecked());
        QCOMPARE(w->TBTrackBar->Color(), 0u);
        QCOMPARE(w->TBSystem->Color(), 0xD7AE6Au);
        for (TDock97* dock : {w->Dock971, w->Dock973, w->Dock974, w->Dock975})
            QCOMPARE(dock->Color(), 0u);
        if (image2)
            QVERIFY(!image2->isHidden());
    }

    void hotTrackFromTheDropDownTicksBothItems() {
        auto w = Start();
        QVERIFY(w->HotTrackOn());
        w->ToggleHotTrack->trigger();
        QVERIFY(!w->HotTrackOn());
        QVERIFY(!w->ToggleHotTrack->isChecked());
        QVERIFY(!w->HotTrack1->isChecked());
        w->HotTrack1->trigger();
        QVERIFY(w->HotTrackOn());
        QVERIFY(w->ToggleHotTrack->isChecked());
        QVERIFY(w->HotTrack1->isChecked());
    }

    void alwaysOnTopKeepsTheWindowAndItsDropTarget() {
        auto w = Start();
        w->dirtree1->SetDirectory(settings_->Path().string());
        const std::string folder = w->dirtree1->Directory();
        w->AlwaysOnTop1->trigger();
        QCOMPARE(w->dirtree1->Directory(), folder);
        QVERIFY(w->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(w->AlwaysOnTop1->isChecked());
        QVERIFY(w->isVisible());
        QVERIFY(w->FileList->AcceptFiles());
        w->AlwaysOnTop1->trigger();
        QVERIFY(!(w->windowFlags() & Qt::WindowStaysOnTopHint));
        QVERIFY(!w->AlwaysOnTop1->isChecked());
        QVERIFY(w->isVisible());
    }

    void resizingStretchesTheTrackBarAndCentresTheModeStrip() {
        auto w = Start();
        w->resize(600, 458);
        QTRY_COMPARE(w->width(), 600);
        QWidget* lcd = w->LCDLabel1;
        const int expected =
            600 - w->TrackBar->x() - lcd->x() - w->VolumeBut->width() - w->ToolbarSep971->width();
        QCOMPARE(w->ToolbarSep971->width(), 6);
        QTRY_COMPARE(w->TrackBar->width(), expected);
        // With the designed sizes: 600 - 71 - 11 - 19 - 6.
        QCOMPARE(expected, 493);
        QTRY_COMPARE(w->Panel7->x(), w->Panel3->width() / 2 - w->Panel7->width() / 2);

        // A floating progress toolbar keeps its track bar's width.
        w->TBTrackBar->SetDockedTo(nullptr);
        QVERIFY(w->TBTrackBar->isFloating());
        const int floatingWidth = w->TrackBar->maximumWidth();
        w->resize(500, 458);
        QTRY_COMPARE(w->width(), 500);
        QCOMPARE(w->TrackBar->maximumWidth(), floatingWidth);
    }

    void toolbarsTakeAndReportTheirDockAndPosition() {
        auto w = Start();
        w->TBOPtions->SetDockedTo(w->Dock973);
        QCOMPARE(w->TBOPtions->DockedTo(), w->Dock973);
        QCOMPARE(w->TBOPtions->orientation(), Qt::Vertical);
        QCOMPARE(w->TBOPtions->Left(), 0);
        // Two toolbars in one row: the second stands where it is asked to.
        w->TBFunctions->SetDockedTo(w->Dock974);
        w->TBFunctions->SetTop(0);
        w->TBTrackBar->SetDockedTo(w->Dock971);
        w->TBSystem->SetDockedTo(w->Dock971);
        w->TBSystem->SetTop(0);
        w->TBTrackBar->SetTop(0);
        w->TBTrackBar->SetLeft(0);
        w->TBSystem->SetLeft(260);
        QCOMPARE(w->TBSystem->Left(), 260);
        QCOMPARE(w->TBSystem->Top(), 0);
        QCOMPARE(w->TBTrackBar->Left(), 0);
        QCOMPARE(w->TBFunctions->DockedTo(), w->Dock974);
        // The progress toolbar may not stand at a side.
        w->TBTrackBar->SetDockedTo(w->Dock975);
        QCOMPARE(w->TBTrackBar->DockedTo(), w->Dock971);
        // Floating, the position is the toolbar's place on the screen.
        w->TBSystem->SetDockedTo(nullptr);
        QCOMPARE(w->TBSystem->DockedTo(), nullptr);
        w->TBSystem->SetLeft(40);
        w->TBSystem->SetTop(30);
        QCOMPARE(w->TBSystem->Left(), 40);
        QCOMPARE(w->TBSystem->Top(), 30);
        QVERIFY(w->TBSystem->isVisible());
        // Hidden, a toolbar reports where it stood.
        w->OptionsToolbar1Click();
        QCOMPARE(w->TBOPtions->DockedTo(), w->Dock973);
        QCOMPARE(w->TBOPtions->Left(), 0);
    }

    void makeDefaultTakesTheCurrentListOrNothing() {
        auto w = Start();
        w->State().CurrentListFile = "/lists/a.qpl";
        w->State().LastPlayListFile = "/lists/old.qpl";
        w->ToolbarButton972->click();
        QCOMPARE(w->State().LastPlayListFile, std::string());
    }
};

QTEST_MAIN(TQuavrelLayoutTest)
#include "TQuavrelLayoutTest.moc"
