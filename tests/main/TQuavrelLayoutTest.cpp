#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QSlider>
#include <QSplitter>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

#include "ModeStrip.h"
#include "TQuavrel.h"
#include "support/FindPart.h"
#include "support/MainWindowFakes.h"
#include "toolbars/TDock97.h"
#include "toolbars/TDockHost.h"
#include "toolbars/TToolbar97.h"
#include "toolbars/TToolbarSep97.h"
#include "views/ExplorerPane.h"
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
        Part<QTimer>(*window, "Timer")->stop();  // no ticks: these tests look at the layout only
        QTest::qWaitForWindowExposed(window.get());
        return window;
    }
    static QList<QToolButton*> ElevenButtons(TQuavrel& w) {
        return {Part<QToolButton>(w, "Play"),
                Part<QToolButton>(w, "Pause"),
                Part<QToolButton>(w, "PrevS"),
                Part<QToolButton>(w, "NextS"),
                Part<QToolButton>(w, "ToolbarButton975"),
                Part<QToolButton>(w, "TBDelete"),
                Part<QToolButton>(w, "MoveBack"),
                Part<QToolButton>(w, "MoveFwd"),
                Part<QToolButton>(w, "Load"),
                Part<QToolButton>(w, "Save"),
                Part<QToolButton>(w, "Clear")};
    }
    static QWidget* Explorer(TQuavrel& w) { return Part<ExplorerPane>(w, "Panel1"); }

private slots:
    void init() { NewSettingsFolder(); }

    void fullWindowHoldsEachComponentWhereDesigned() {
        auto w = Start();
        QCOMPARE(Part<TToolbar97>(*w, "TBFunctions")->DockedTo(), Part<TDock97>(*w, "Dock971"));
        QCOMPARE(Part<TToolbar97>(*w, "TBOPtions")->DockedTo(), Part<TDock97>(*w, "Dock971"));
        QCOMPARE(Part<TToolbar97>(*w, "TBSystem")->DockedTo(), Part<TDock97>(*w, "Dock975"));
        QCOMPARE(Part<TToolbar97>(*w, "TBTrackBar")->DockedTo(), Part<TDock97>(*w, "Dock974"));
        QCOMPARE(Part<TToolbar97>(*w, "TBFunctions")->Left(), 0);
        QCOMPARE(Part<TToolbar97>(*w, "TBFunctions")->Top(), 0);
        QCOMPARE(Part<TToolbar97>(*w, "TBOPtions")->Left(), 201);
        QCOMPARE(Part<TToolbar97>(*w, "TBOPtions")->Top(), 0);
        QCOMPARE(Part<TToolbar97>(*w, "TBOPtions")->windowTitle(), QStringLiteral("Options"));
        QCOMPARE(Part<TToolbar97>(*w, "TBTrackBar")->windowTitle(), QStringLiteral("Progress Bar"));
        QCOMPARE(Part<QToolButton>(*w, "Play")->parentWidget(),
                 Part<TToolbar97>(*w, "TBFunctions"));
        QCOMPARE(Part<QToolButton>(*w, "Clear")->parentWidget(), Part<TToolbar97>(*w, "TBOPtions"));
        QCOMPARE(Part<QToolButton>(*w, "ToolbarButton975")->parentWidget(),
                 Part<TToolbar97>(*w, "TBSystem"));
        QCOMPARE(Part<QToolButton>(*w, "ToolbarButton975")->menu(), Part<QMenu>(*w, "PopupMenu1"));
        QCOMPARE(Part<QSlider>(*w, "TrackBar")->parentWidget(), Part<TToolbar97>(*w, "TBTrackBar"));
        QCOMPARE(Part<QToolButton>(*w, "ToolbarButton972")->text(), QStringLiteral("MD"));
        QCOMPARE(Part<QToolButton>(*w, "ToolbarButton972")->toolTip(),
                 QStringLiteral("Make this PlayList Default"));
        for (QToolButton* button : ElevenButtons(*w)) {
            QCOMPARE(button->size(), QSize(44, 41));
            QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
            QVERIFY(!button->icon().isNull());
        }
        // The explorer pane stands over the docks; the mode strip is the bottom dock's inner row,
        // as wide as the window, above the progress toolbar.
        QVERIFY(Part<TDockHost>(*w, "DockHost")->mapTo(w.get(), QPoint(0, 0)).y() >
                Explorer(*w)->mapTo(w.get(), QPoint(0, 0)).y());
        QWidget* panel3 = Part<ModeStrip>(*w, "Panel3");
        QVERIFY(panel3);
        QCOMPARE(panel3->height(), 26);
        QVERIFY(panel3->width() >= w->width() - 2);
        QVERIFY(panel3->mapTo(w.get(), QPoint(0, 0)).y() <
                Part<TToolbar97>(*w, "TBTrackBar")->mapTo(w.get(), QPoint(0, 0)).y());
        QVERIFY(Part<QWidget>(*w, "Panel6")->isHidden());
        QCOMPARE(w->State().WindowsColors, 0);
        QCOMPARE(Part<TToolbar97>(*w, "TBTrackBar")->Color(), 0u);
        QCOMPARE(Part<TToolbar97>(*w, "TBFunctions")->Color(), 0xD7AE6Au);
    }

    void shortFormFromAMaximisedWindowRestoresItFirst() {
        auto w = Start();
        w->showMaximized();
        QTRY_VERIFY(w->isMaximized());
        w->ShortFormToggl1Click();
        QVERIFY(!w->isMaximized());
        QTRY_COMPARE(w->size(), QSize(294, 128));
        QVERIFY(!w->menuBar()->isVisible());
        QVERIFY(Part<QWidget>(*w, "Panel6")->isVisible());
        QVERIFY(!Part<TFileView>(*w, "FileList")->isVisible());
        QVERIFY(!Part<QToolButton>(*w, "ShortForm")->isVisible());
        QVERIFY(Part<TToolbar97>(*w, "TBFunctions")->isHidden() &&
                Part<TToolbar97>(*w, "TBOPtions")->isHidden() &&
                Part<TToolbar97>(*w, "TBSystem")->isHidden());
        QVERIFY(!Part<QAction>(*w, "FunctionsToolbar1")->isChecked());
        QVERIFY(Part<TToolbar97>(*w, "TBTrackBar")->isVisible());
        QVERIFY(Part<QToolButton>(*w, "Play3")->isVisible());
        QCOMPARE(Part<QToolButton>(*w, "Play3")->geometry(), QRect(5, 4, 52, 29));
        QCOMPARE(Part<QToolButton>(*w, "PrevS3")->text(), QStringLiteral("Previous"));
        QCOMPARE(Part<QToolButton>(*w, "ToolbarButton976")->geometry(), QRect(230, 4, 39, 28));
        // In the short form the mode strip keeps to the left edge.
        QCOMPARE(Part<QWidget>(*w, "Panel7")->x(), 0);
    }

    void leavingTheShortFormShowsEveryToolbarAgainAtTheDesignedSize() {
        auto w = Start();
        w->OptionsToolbar1Click();
        QVERIFY(Part<TToolbar97>(*w, "TBOPtions")->isHidden());
        QVERIFY(!Part<QAction>(*w, "OptionsToolbar1")->isChecked());
        w->resize(500, 600);
        w->ShortFormToggl1Click();
        w->ShortFormToggl1Click();
        QVERIFY(Part<TToolbar97>(*w, "TBOPtions")->isVisible() &&
                Part<TToolbar97>(*w, "TBFunctions")->isVisible() &&
                Part<TToolbar97>(*w, "TBSystem")->isVisible());
        QVERIFY(Part<QAction>(*w, "OptionsToolbar1")->isChecked());
        QVERIFY(Part<QAction>(*w, "LoadSaveToolbar1")->isChecked());
        QVERIFY(w->menuBar()->isVisible());
        QVERIFY(Part<TFileView>(*w, "FileList")->isVisible());
        QVERIFY(Part<QToolButton>(*w, "ShortForm")->isVisible());
        QVERIFY(Part<QWidget>(*w, "Panel6")->isHidden());
        QTRY_COMPARE(w->size(), QSize(406, 455));
        QCOMPARE(w->ExplorerHeight(), 147);
        QTRY_COMPARE(Explorer(*w)->height(), 147);
    }

    void textOffMakesTheElevenButtonsPicturesOnly() {
        auto w = Start();
        w->ImageButClick();
        QVERIFY(!Part<QAction>(*w, "ImageBut")->isChecked());
        QVERIFY(!Part<QAction>(*w, "ImageBut2")->isChecked());
        for (QToolButton* button : ElevenButtons(*w)) {
            QCOMPARE(button->size(), QSize(27, 24));
            QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonIconOnly);
        }
        // The View menu's item does the same, whatever its own click did to its tick.
        Part<QAction>(*w, "ImageBut2")->trigger();
        QVERIFY(Part<QAction>(*w, "ImageBut")->isChecked());
        QVERIFY(Part<QAction>(*w, "ImageBut2")->isChecked());
        for (QToolButton* button : ElevenButtons(*w)) {
            QCOMPARE(button->size(), QSize(44, 41));
            QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        }
    }

    void windowsColorsTwiceReturnsToTheDarkSchemeWithBlackDocks() {
        auto w = Start();
        QWidget* image2 = Part<QLabel>(*w, "Image2");
        Part<QAction>(*w, "ToggleColorScheme2")->trigger();
        QCOMPARE(w->State().WindowsColors, 1);
        QVERIFY(Part<QAction>(*w, "ToggleColorScheme2")->isChecked());
        QCOMPARE(Part<TToolbar97>(*w, "TBTrackBar")->Color(), 0x8000000Fu);
        QCOMPARE(Part<TToolbar97>(*w, "TBOPtions")->Color(), 0x8000000Fu);
        for (TDock97* dock : {Part<TDock97>(*w, "Dock971"), Part<TDock97>(*w, "Dock973"),
                              Part<TDock97>(*w, "Dock974"), Part<TDock97>(*w, "Dock975")})
            QCOMPARE(dock->Color(), 0u);
        if (image2)
            QVERIFY(image2->isHidden());
        QVERIFY(Part<QSlider>(*w, "TrackBar")->isEnabled());
        // The toolbars are drawn in the new colours.
        const QImage options = Part<TToolbar97>(*w, "TBOPtions")->grab().toImage();
        QCOMPARE(QColor(options.pixel(options.width() - 2, options.height() - 2)),
                 w->palette().color(QPalette::Button));
        const QImage progress = Part<TToolbar97>(*w, "TBTrackBar")->grab().toImage();
        QCOMPARE(QColor(progress.pixel(progress.width() - 2, 1)),
                 w->palette().color(QPalette::Button));

        Part<QAction>(*w, "ToggleColorScheme2")->trigger();
        QCOMPARE(w->State().WindowsColors, 0);
        QVERIFY(!Part<QAction>(*w, "ToggleColorScheme2")->isChecked());
        QCOMPARE(Part<TToolbar97>(*w, "TBTrackBar")->Color(), 0u);
        QCOMPARE(Part<TToolbar97>(*w, "TBSystem")->Color(), 0xD7AE6Au);
        for (TDock97* dock : {Part<TDock97>(*w, "Dock971"), Part<TDock97>(*w, "Dock973"),
                              Part<TDock97>(*w, "Dock974"), Part<TDock97>(*w, "Dock975")})
            QCOMPARE(dock->Color(), 0u);
        if (image2)
            QVERIFY(!image2->isHidden());
    }

    void hotTrackFromTheDropDownTicksBothItems() {
        auto w = Start();
        QVERIFY(w->HotTrackOn());
        Part<QAction>(*w, "ToggleHotTrack")->trigger();
        QVERIFY(!w->HotTrackOn());
        QVERIFY(!Part<QAction>(*w, "ToggleHotTrack")->isChecked());
        QVERIFY(!Part<QAction>(*w, "HotTrack1")->isChecked());
        Part<QAction>(*w, "HotTrack1")->trigger();
        QVERIFY(w->HotTrackOn());
        QVERIFY(Part<QAction>(*w, "ToggleHotTrack")->isChecked());
        QVERIFY(Part<QAction>(*w, "HotTrack1")->isChecked());
    }

    void alwaysOnTopKeepsTheWindowAndItsDropTarget() {
        auto w = Start();
        Part<Tdirtree>(*w, "dirtree1")->SetDirectory(settings_->Path().string());
        const std::string folder = Part<Tdirtree>(*w, "dirtree1")->Directory();
        Part<QAction>(*w, "AlwaysOnTop1")->trigger();
        QCOMPARE(Part<Tdirtree>(*w, "dirtree1")->Directory(), folder);
        QVERIFY(w->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(Part<QAction>(*w, "AlwaysOnTop1")->isChecked());
        QVERIFY(w->isVisible());
        QVERIFY(Part<TFileView>(*w, "FileList")->AcceptFiles());
        Part<QAction>(*w, "AlwaysOnTop1")->trigger();
        QVERIFY(!(w->windowFlags() & Qt::WindowStaysOnTopHint));
        QVERIFY(!Part<QAction>(*w, "AlwaysOnTop1")->isChecked());
        QVERIFY(w->isVisible());
    }

    void resizingStretchesTheTrackBarAndCentresTheModeStrip() {
        auto w = Start();
        w->resize(600, 458);
        QTRY_COMPARE(w->width(), 600);
        QWidget* lcd = Part<TLCDLabel>(*w, "LCDLabel1");
        const int expected = 600 - Part<QSlider>(*w, "TrackBar")->x() - lcd->x() -
                             Part<QToolButton>(*w, "VolumeBut")->width() -
                             Part<TToolbarSep97>(*w, "ToolbarSep971")->width();
        QCOMPARE(Part<TToolbarSep97>(*w, "ToolbarSep971")->width(), 6);
        QTRY_COMPARE(Part<QSlider>(*w, "TrackBar")->width(), expected);
        // With the designed sizes: 600 - 71 - 11 - 19 - 6.
        QCOMPARE(expected, 493);
        QTRY_COMPARE(
            Part<QWidget>(*w, "Panel7")->x(),
            Part<ModeStrip>(*w, "Panel3")->width() / 2 - Part<QWidget>(*w, "Panel7")->width() / 2);

        // A floating progress toolbar keeps its track bar's width.
        Part<TToolbar97>(*w, "TBTrackBar")->SetDockedTo(nullptr);
        QVERIFY(Part<TToolbar97>(*w, "TBTrackBar")->isFloating());
        const int floatingWidth = Part<QSlider>(*w, "TrackBar")->maximumWidth();
        w->resize(500, 458);
        QTRY_COMPARE(w->width(), 500);
        QCOMPARE(Part<QSlider>(*w, "TrackBar")->maximumWidth(), floatingWidth);
    }

    void toolbarsTakeAndReportTheirDockAndPosition() {
        auto w = Start();
        Part<TToolbar97>(*w, "TBOPtions")->SetDockedTo(Part<TDock97>(*w, "Dock973"));
        QCOMPARE(Part<TToolbar97>(*w, "TBOPtions")->DockedTo(), Part<TDock97>(*w, "Dock973"));
        QCOMPARE(Part<TToolbar97>(*w, "TBOPtions")->orientation(), Qt::Vertical);
        QCOMPARE(Part<TToolbar97>(*w, "TBOPtions")->Left(), 0);
        // Two toolbars in one row: the second stands where it is asked to.
        Part<TToolbar97>(*w, "TBFunctions")->SetDockedTo(Part<TDock97>(*w, "Dock974"));
        Part<TToolbar97>(*w, "TBFunctions")->SetTop(0);
        Part<TToolbar97>(*w, "TBTrackBar")->SetDockedTo(Part<TDock97>(*w, "Dock971"));
        Part<TToolbar97>(*w, "TBSystem")->SetDockedTo(Part<TDock97>(*w, "Dock971"));
        Part<TToolbar97>(*w, "TBSystem")->SetTop(0);
        Part<TToolbar97>(*w, "TBTrackBar")->SetTop(0);
        Part<TToolbar97>(*w, "TBTrackBar")->SetLeft(0);
        Part<TToolbar97>(*w, "TBSystem")->SetLeft(260);
        QCOMPARE(Part<TToolbar97>(*w, "TBSystem")->Left(), 260);
        QCOMPARE(Part<TToolbar97>(*w, "TBSystem")->Top(), 0);
        QCOMPARE(Part<TToolbar97>(*w, "TBTrackBar")->Left(), 0);
        QCOMPARE(Part<TToolbar97>(*w, "TBFunctions")->DockedTo(), Part<TDock97>(*w, "Dock974"));
        // The progress toolbar may not stand at a side.
        Part<TToolbar97>(*w, "TBTrackBar")->SetDockedTo(Part<TDock97>(*w, "Dock975"));
        QCOMPARE(Part<TToolbar97>(*w, "TBTrackBar")->DockedTo(), Part<TDock97>(*w, "Dock971"));
        // Floating, the position is the toolbar's place on the screen.
        Part<TToolbar97>(*w, "TBSystem")->SetDockedTo(nullptr);
        QCOMPARE(Part<TToolbar97>(*w, "TBSystem")->DockedTo(), nullptr);
        Part<TToolbar97>(*w, "TBSystem")->SetLeft(40);
        Part<TToolbar97>(*w, "TBSystem")->SetTop(30);
        QCOMPARE(Part<TToolbar97>(*w, "TBSystem")->Left(), 40);
        QCOMPARE(Part<TToolbar97>(*w, "TBSystem")->Top(), 30);
        QVERIFY(Part<TToolbar97>(*w, "TBSystem")->isVisible());
        // Hidden, a toolbar reports where it stood.
        w->OptionsToolbar1Click();
        QCOMPARE(Part<TToolbar97>(*w, "TBOPtions")->DockedTo(), Part<TDock97>(*w, "Dock973"));
        QCOMPARE(Part<TToolbar97>(*w, "TBOPtions")->Left(), 0);
    }

    void makeDefaultTakesTheCurrentListOrNothing() {
        auto w = Start();
        w->State().CurrentListFile = "/lists/a.qpl";
        w->State().LastPlayListFile = "/lists/old.qpl";
        Part<QToolButton>(*w, "ToolbarButton972")->click();
        QCOMPARE(w->State().LastPlayListFile, std::string());
    }
};

QTEST_MAIN(TQuavrelLayoutTest)
#include "TQuavrelLayoutTest.moc"
