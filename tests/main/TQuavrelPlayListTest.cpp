// The play list on the real main window, offscreen: drops, the drag to reorder, the moves,
// deleting and the controls that follow the list's emptiness, renaming, sorting, the mode
// commands and their twins, the preview length box, and play list files through the dialogs.
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <memory>

#include "TQuavrel.h"
#include "playlist/PlayListFiles.h"
#include "support/FindPart.h"
#include "support/MainWindowFakes.h"
#include "views/TFileView.h"
#include "widgets/TAMAdvLed.h"
#include "widgets/TLCDLabel.h"
#include "widgets/TTrayIcon.h"

class TQuavrelPlayListTest : public QObject, protected MainWindowFakes {
    Q_OBJECT

public:
    TQuavrelPlayListTest() : MainWindowFakes(43200000) {}

private:
    // A media file on disk that the fake device plays for lengthMs.
    std::string Media(const std::string& name, std::int64_t lengthMs = 10000) {
        return AddMedia(*files_, name, lengthMs);
    }
    static QStringList Captions(const TQuavrel& window) {
        QStringList result;
        for (int i = 0; i < window.PlayListModel().Count(); ++i)
            result << QString::fromStdString(window.PlayListModel().At(i).Caption);
        return result;
    }
    static QPoint EntryPoint(TQuavrel& window, int row) {
        QAbstractItemView* view = Part<TFileView>(window, "FileList")->CurrentView();
        return view->visualRect(view->model()->index(row, 0)).center();
    }
    // Every control that follows the list's emptiness.
    static QList<bool> ListControls(const TQuavrel& w) {
        QList<bool> states;
        for (QWidget* c : std::initializer_list<QWidget*>{
                 Part<QToolButton>(w, "Play"), Part<QToolButton>(w, "Pause"),
                 Part<QToolButton>(w, "NextS"), Part<QToolButton>(w, "PrevS"),
                 Part<QToolButton>(w, "TBDelete"), Part<QToolButton>(w, "Clear"),
                 Part<QToolButton>(w, "MoveBack"), Part<QToolButton>(w, "MoveFwd"),
                 Part<QToolButton>(w, "Save"), Part<QToolButton>(w, "Play3"),
                 Part<QToolButton>(w, "Stop3"), Part<QToolButton>(w, "NextS3"),
                 Part<QToolButton>(w, "PrevS3"), Part<QSlider>(w, "TrackBar")})
            states << c->isEnabled();
        states << static_cast<QMenu*>(Part<QAction>(w, "DeleteSelected1")->parent())
                      ->menuAction()
                      ->isEnabled();
        for (QAction* a :
             {Part<QAction>(w, "Save1"), Part<QAction>(w, "NextSong1"),
              Part<QAction>(w, "PrevSong1"), Part<QAction>(w, "Play2"), Part<QAction>(w, "Pause2"),
              Part<QAction>(w, "SavePlayList1"), Part<QAction>(w, "Pause1"),
              Part<QAction>(w, "Next"), Part<QAction>(w, "Skip")})
            states << a->isEnabled();
        return states;
    }
    static QList<bool> All(bool value) { return QList<bool>(24, value); }
    void Drop(TQuavrel& window, std::vector<std::string> files) {
        Part<TFileView>(window, "FileList")->OnFileDrop(files, 5, 5);
    }

    std::unique_ptr<TempDir> files_;

private slots:
    void init() {
        NewSettingsFolder();
        files_ = std::make_unique<TempDir>();
        media_.ClearLog();
        messages_.shown.clear();
        dialogs_.requests.clear();
        dialogs_.choice.reset();
    }

    void aDropAddsTheAcceptedFilesAndMakesTheFirstCurrent() {
        auto window = StartShown();
        // As designed: the buttons and the track bar start disabled, the menu items enabled.
        QCOMPARE(ListControls(*window).mid(0, 14), QList<bool>(14, false));
        QCOMPARE(ListControls(*window).mid(14), QList<bool>(10, true));
        const std::string a = Media("a.mp3"), b = files_->Write("b.txt", "text"),
                          c = Media("c.mp3");
        Drop(*window, {a, b, c});
        QCOMPARE(Captions(*window), (QStringList{"a.mp3", "c.mp3"}));
        QCOMPARE(window->PlayListModel().Focused(), 0);
        QVERIFY(window->PlayListModel().IsSelected(0));
        QVERIFY(!window->PlayListModel().IsSelected(1));
        QCOMPARE(window->State().PlayIndex, 0);
        QCOMPARE(media_.FileName(), a);
        QVERIFY(media_.Log().empty());  // nothing plays
        QCOMPARE(ListControls(*window), All(true));
        QVERIFY(messages_.shown.empty());
    }

    void aDroppedPlayListAppendsItsEntries() {
        auto window = StartShown();
        const std::string old = Media("old.mp3"), a = Media("a.mp3"), b = Media("b.mp3");
        Drop(*window, {old});
        const std::string list = files_->Write(
            "mix.m3u8", "#EXTM3U\n#EXTINF:-1,First\na.mp3\n#EXTINF:-1,Second\n" + b + "\n");
        const std::string pls =
            files_->Write("more.PLS", "[playlist]\nFile1=a.mp3\nFile2=gone.mp3\n");
        Drop(*window, {list, pls});
        QCOMPARE(Captions(*window), (QStringList{"old.mp3", "First", "Second", "a"}));
        // The list's first entry is the drop's first: selected, focused, the device's file.
        QCOMPARE(window->PlayListModel().Focused(), 1);
        QCOMPARE(window->State().PlayIndex, 1);
        QCOMPARE(media_.FileName(), a);
        QVERIFY(media_.Log().empty());
        QCOMPARE(window->State().CurrentListFile, std::string());  // a drop loads no list
        QCOMPARE(messages_.shown.size(), size_t(1));  // gone.mp3, once for the whole drop
        QCOMPARE(messages_.shown[0].caption, std::string("Error"));
    }

    void openedFilesLoadAListOrAddAndPlayTheFirstNewEntry() {
        auto window = StartShown();
        const std::string a = Media("a.mp3"), b = Media("b.mp3"), c = Media("c.mp3");
        const std::string list =
            files_->Write("list.m3u", "#EXTM3U\n#EXTINF:1,Song A\na.mp3\nb.mp3\n");
        // A list first: loaded as the open dialog does, and its first entry plays.
        QVERIFY(window->OpenFiles({list, c}));
        QCOMPARE(Captions(*window), (QStringList{"Song A", "b", "c.mp3"}));
        QCOMPARE(window->State().CurrentListFile, list);
        QCOMPARE(media_.FileName(), a);
        QCOMPARE(media_.Mode(), MediaMode::Playing);
        // Media files are added, and the first new one plays; nothing refused plays nothing.
        QVERIFY(window->OpenFiles({files_->File("none.mp3"), c, a}));
        QCOMPARE(Captions(*window), (QStringList{"Song A", "b", "c.mp3", "c.mp3", "a.mp3"}));
        QCOMPARE(media_.FileName(), c);
        QCOMPARE(window->State().PlayIndex, 3);
        QCOMPARE(media_.Mode(), MediaMode::Playing);
        QVERIFY(!window->OpenFiles({files_->File("none.mp3")}));
        QVERIFY(!window->OpenFiles({}));
        QCOMPARE(window->PlayListModel().Count(), 5);
        QVERIFY(messages_.shown.empty());
    }

    void aDoubleClickPlaysTheFocusedEntryOnce() {
        auto window = StartShown();
        Drop(*window, {Media("a.mp3"), Media("b.mp3")});
        window->PlayListModel().Select(1);
        window->PlayListModel().Focus(1);
        Part<TFileView>(*window, "FileList")->OnDblClick();
        QCOMPARE(media_.Log(), (std::vector<std::string>{"open " + files_->File("b.mp3"), "play"}));
        QCOMPARE(window->State().PlayIndex, 1);
        QCOMPARE(window->windowTitle(), QStringLiteral("[ b.mp3 ] Quavrel v2.0"));
        QCOMPARE(Part<TTrayIcon>(*window, "TrayIcon")->ToolTip(), QStringLiteral("Playing b.mp3"));
    }

    void draggingAnEntryOntoAnotherPutsItJustAfterThatEntry() {
        auto window = StartShown();
        Part<QAction>(*window, "HotTrack1")->setChecked(false);  // a click then only clicks
        Drop(*window, {Media("a.mp3"), Media("b.mp3"), Media("c.mp3")});
        QWidget* viewport = Part<TFileView>(*window, "FileList")->CurrentView()->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, EntryPoint(*window, 2));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, EntryPoint(*window, 0));
        QCOMPARE(Captions(*window), (QStringList{"a.mp3", "c.mp3", "b.mp3"}));
        QCOMPARE(window->PlayListModel().Focused(), 1);
        QVERIFY(window->PlayListModel().IsSelected(1));
        QCOMPARE(window->State().DragSourceItem, -1);

        QTest::mousePress(viewport, Qt::LeftButton, {}, EntryPoint(*window, 0));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, EntryPoint(*window, 2));
        QCOMPARE(Captions(*window), (QStringList{"c.mp3", "b.mp3", "a.mp3"}));
        QCOMPARE(window->PlayListModel().Focused(), 2);

        QTest::mousePress(viewport, Qt::LeftButton, {}, EntryPoint(*window, 1));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, EntryPoint(*window, 1));
        QCOMPARE(Captions(*window), (QStringList{"c.mp3", "b.mp3", "a.mp3"}));
        QVERIFY(media_.Log().empty());
    }

    void theContextMenuOffersEntryCommandsOnlyAfterARightClickOnAnEntry() {
        auto window = StartShown();
        Drop(*window, {Media("a.mp3")});
        window->FileListMouseDown(Qt::RightButton, EntryPoint(*window, 0).x(),
                                  EntryPoint(*window, 0).y());
        QVERIFY(Part<QAction>(*window, "Rename1")->isEnabled() &&
                Part<QAction>(*window, "Delete1")->isEnabled() &&
                Part<QAction>(*window, "SaveSelected")->isEnabled());
        QCOMPARE(window->State().DragSourceItem, 0);
        window->FileListMouseDown(Qt::LeftButton, EntryPoint(*window, 0).x(),
                                  EntryPoint(*window, 0).y());
        QVERIFY(!Part<QAction>(*window, "Rename1")->isEnabled() &&
                !Part<QAction>(*window, "Delete1")->isEnabled() &&
                !Part<QAction>(*window, "SaveSelected")->isEnabled());
        window->FileListMouseDown(Qt::RightButton, 5, 400);
        QVERIFY(!Part<QAction>(*window, "Rename1")->isEnabled());
        QCOMPARE(window->State().DragSourceItem, -1);
        QVERIFY(Part<QAction>(*window, "Clear1")->isEnabled());
    }

    void movesAtTheEndsDoNothingAndSortingByNameKeepsTheOrder() {
        auto window = StartShown();
        Drop(*window, {Media("b.mp3"), Media("a.mp3"), Media("c.mp3")});
        window->PlayListModel().Focus(0);
        window->MoveBack1Click();
        QCOMPARE(Captions(*window), (QStringList{"b.mp3", "a.mp3", "c.mp3"}));
        window->PlayListModel().Focus(2);
        window->MoveFwd1Click();
        QCOMPARE(Captions(*window), (QStringList{"b.mp3", "a.mp3", "c.mp3"}));
        window->MoveBack1Click();
        QCOMPARE(Captions(*window), (QStringList{"b.mp3", "c.mp3", "a.mp3"}));
        QCOMPARE(window->PlayListModel().Focused(), 1);

        Part<QAction>(*window, "Name1")->trigger();
        QVERIFY(Part<QAction>(*window, "Name1")->isChecked() &&
                Part<QAction>(*window, "Name2")->isChecked());
        QCOMPARE(Captions(*window), (QStringList{"a.mp3", "b.mp3", "c.mp3"}));
        window->PlayListModel().Focus(0);
        window->MoveFwd1Click();  // the list sorts itself back at once
        QCOMPARE(Captions(*window), (QStringList{"a.mp3", "b.mp3", "c.mp3"}));
        Drop(*window, {Media("0.mp3")});
        QCOMPARE(Captions(*window), (QStringList{"0.mp3", "a.mp3", "b.mp3", "c.mp3"}));

        Part<QAction>(*window, "Name2")
            ->trigger();  // off: the order stays, new entries go to the end
        QVERIFY(!Part<QAction>(*window, "Name1")->isChecked() &&
                !Part<QAction>(*window, "Name2")->isChecked());
        Drop(*window, {Media("00.mp3")});
        QCOMPARE(Captions(*window).last(), QStringLiteral("00.mp3"));
    }

    void deletingEverythingDisablesTheListControlsAndAddingEnablesThem() {
        auto window = StartShown();
        Drop(*window, {Media("a.mp3"), Media("b.mp3")});
        window->PlayListModel().Focus(1);
        window->PlayClick();
        QCOMPARE(media_.Mode(), MediaMode::Playing);
        window->PlayListModel().SelectOnly(0);
        window->DeleteSelected1Click();  // another entry than the playing one: playback stops
        QCOMPARE(media_.Mode(), MediaMode::Stopped);
        QCOMPARE(window->PlayListModel().Count(), 1);

        window->PlayListModel().SelectAll();
        window->Delete1Click();
        QVERIFY(window->PlayListModel().Empty());
        QCOMPARE(ListControls(*window), All(false));
        QCOMPARE(window->windowTitle(), QStringLiteral("Quavrel v2.0 "));
        QCOMPARE(Part<QSlider>(*window, "TrackBar")->minimum(), 0);
        QCOMPARE(Part<QSlider>(*window, "TrackBar")->maximum(), 0);
        QCOMPARE(Part<QSlider>(*window, "TrackBar")->value(), 0);
        QCOMPARE(Part<TLCDLabel>(*window, "LCDLabel1")->Caption(), std::string("   "));

        Drop(*window, {Media("c.mp3")});
        QCOMPARE(ListControls(*window), All(true));
        window->Clear1Click();
        QCOMPARE(ListControls(*window), All(false));
    }

    void renamingInPlaceChangesTheCaptionOnly() {
        auto window = StartShown();
        const std::string a = Media("a.mp3");
        Drop(*window, {a});
        window->RenameFileinPlayList1Click();
        QAbstractItemView* view = Part<TFileView>(*window, "FileList")->CurrentView();
        auto* editor = view->findChild<QLineEdit*>();
        QVERIFY(editor && editor->isVisible());
        editor->selectAll();
        QTest::keyClicks(editor, "My Song");
        QTest::keyClick(editor, Qt::Key_Return);  // the delegate commits from the event loop
        QTRY_COMPARE(Captions(*window), QStringList{"My Song"});
        QCOMPARE(window->PlayListModel().At(0).Path, a);

        window->PlayListModel().Focus(-1);
        window->Rename();  // no focused entry: nothing
        for (QLineEdit* open : view->findChildren<QLineEdit*>())
            QVERIFY(!open->isVisible());
    }

    void listAndDetailedTickTheirItems() {
        auto window = StartShown();
        window->Detailed1Click();
        QCOMPARE(Part<TFileView>(*window, "FileList")->ViewStyle(), TViewStyle::vsReport);
        QVERIFY(Part<QAction>(*window, "Detailed1")->isChecked() &&
                Part<QAction>(*window, "Detailed2")->isChecked());
        QVERIFY(!Part<QAction>(*window, "List")->isChecked() &&
                !Part<QAction>(*window, "List1")->isChecked());
        window->List1Click();
        QCOMPARE(Part<TFileView>(*window, "FileList")->ViewStyle(), TViewStyle::vsList);
        QVERIFY(Part<QAction>(*window, "List")->isChecked() &&
                Part<QAction>(*window, "List1")->isChecked());
        QVERIFY(!Part<QAction>(*window, "Detailed1")->isChecked() &&
                !Part<QAction>(*window, "Detailed2")->isChecked());
    }

    void modeCommandsTickEveryTwinAndLightTheirLamps() {
        auto window = StartShown();
        Drop(*window, {Media("a.mp3"), Media("b.mp3")});
        Part<QAction>(*window, "Shuffle2")->trigger();
        QCOMPARE(window->State().ShuffleOn, 1);
        QVERIFY(Part<QAction>(*window, "Shuffle1")->isChecked() &&
                Part<QAction>(*window, "Shuffle2")->isChecked());
        QCOMPARE(window->PlayListModel().SelectedCount(), 2);
        QVERIFY(Part<TAMAdvLed>(*window, "LedS")->LedOn() &&
                Part<TAMAdvLed>(*window, "AMAdvLed1")->LedOn());
        Part<QToolButton>(*window, "Shuffle")->click();
        QCOMPARE(window->State().ShuffleOn, 0);
        QVERIFY(!Part<QAction>(*window, "Shuffle1")->isChecked() &&
                !Part<QAction>(*window, "Shuffle2")->isChecked());
        QCOMPARE(window->PlayListModel().SelectedCount(), 0);

        Part<QAction>(*window, "Loop1")->trigger();
        QCOMPARE(window->State().LoopOn, 0);
        QVERIFY(!Part<QAction>(*window, "Loop1")->isChecked() &&
                !Part<QAction>(*window, "LoopN")->isChecked());
        QVERIFY(!Part<TAMAdvLed>(*window, "LedL")->LedOn() &&
                !Part<TAMAdvLed>(*window, "AMAdvLed2")->LedOn());
        Part<QAction>(*window, "LoopN")->trigger();
        QCOMPARE(window->State().LoopOn, 1);
        QVERIFY(Part<QAction>(*window, "Loop1")->isChecked() &&
                Part<QAction>(*window, "LoopN")->isChecked());

        Part<QAction>(*window, "Preview1")->trigger();
        QCOMPARE(window->State().PlayMode, 1);
        QVERIFY(Part<QLineEdit>(*window, "PMLen")->isEnabled());
        QVERIFY(Part<QAction>(*window, "Preview1")->isChecked() &&
                Part<QAction>(*window, "PreviewN")->isChecked());
        QVERIFY(Part<TAMAdvLed>(*window, "LedP")->LedOn() &&
                Part<TAMAdvLed>(*window, "AMAdvLed3")->LedOn());
        Part<QToolButton>(*window, "TBPlayMode")->click();
        QCOMPARE(window->State().PlayMode, 0);
        QVERIFY(!Part<QLineEdit>(*window, "PMLen")->isEnabled());
        QVERIFY(!Part<QAction>(*window, "Preview1")->isChecked() &&
                !Part<QAction>(*window, "PreviewN")->isChecked());
    }

    void thePreviewLengthTakesDigitsOnlyAndTypingInItStopsTheFile() {
        auto window = StartShown();
        QCOMPARE(Part<QLineEdit>(*window, "PMLen")->text(), QStringLiteral("5"));
        Drop(*window, {Media("a.mp3")});
        window->TBPlayModeClick();
        Part<QLineEdit>(*window, "PMLen")->clear();
        QTest::keyClicks(Part<QLineEdit>(*window, "PMLen"), "1x2-3 ");
        QCOMPARE(Part<QLineEdit>(*window, "PMLen")->text(), QStringLiteral("123"));
        window->PlayClick();
        QCOMPARE(media_.Mode(), MediaMode::Playing);
        QTest::keyClicks(Part<QLineEdit>(*window, "PMLen"), "4");
        QCOMPARE(media_.Mode(), MediaMode::Stopped);
        window->PlayClick();  // continues
        QCOMPARE(media_.Mode(), MediaMode::Playing);
        QTest::mouseClick(Part<QLineEdit>(*window, "PMLen"), Qt::LeftButton);
        QCOMPARE(media_.Mode(), MediaMode::Stopped);
    }

    void aPreviewEndsOnItsTickAndAnEmptiedBoxIsRefilled() {
        auto window = StartShown();
        const std::string a = Media("a.mp3"), b = Media("b.mp3");
        Drop(*window, {a, b});
        Part<QAction>(*window, "PreviewN")->trigger();
        Part<QLineEdit>(*window, "PMLen")->setText(QStringLiteral("2"));
        window->PlayClick();
        for (int tick = 1; tick <= 10; ++tick) {
            media_.Advance(200);
            window->TimerTimer();
        }
        QCOMPARE(media_.FileName(), a);
        media_.Advance(200);
        window->TimerTimer();  // the eleventh tick
        QCOMPARE(media_.FileName(), b);
        QCOMPARE(media_.Mode(), MediaMode::Playing);
        QCOMPARE(window->State().PreviewTicks, 0);

        Part<QLineEdit>(*window, "PMLen")->blockSignals(true);  // emptied without a change notice
        Part<QLineEdit>(*window, "PMLen")->clear();
        Part<QLineEdit>(*window, "PMLen")->blockSignals(false);
        window->TimerTimer();
        QCOMPARE(Part<QLineEdit>(*window, "PMLen")->text(), QStringLiteral("5"));
        QCOMPARE(media_.Mode(), MediaMode::Stopped);
    }

    void theTooltipOfALongCaptionIsCutAtSixtyTwo() {
        auto window = StartShown();
        const std::string a = Media("a.mp3", 100000);
        Drop(*window, {a});
        const std::string caption(60, 'x');
        window->PlayListModel().SetCaption(0, caption);
        window->PlayClick();
        media_.Advance(42000);
        window->TimerTimer();
        QCOMPARE(Part<TTrayIcon>(*window, "TrayIcon")->ToolTip(),
                 QString::fromStdString(caption + "  "));
        window->PlayListModel().SetCaption(0, "Song");
        window->PlayFile();
        window->TimerTimer();
        QCOMPARE(Part<TTrayIcon>(*window, "TrayIcon")->ToolTip(),
                 QStringLiteral("Song  (Played 42%)"));
        QCOMPARE(Part<QSlider>(*window, "TrackBar")->value(), 42000);
        QCOMPARE(Part<TLCDLabel>(*window, "LCDLabel1")->Caption(), std::string("42%"));
        window->LCDLabel1Click();
        QCOMPARE(Part<TLCDLabel>(*window, "LCDLabel1")->toolTip(),
                 QStringLiteral("Percentage Remaining"));
        window->TimerTimer();
        QCOMPARE(Part<TLCDLabel>(*window, "LCDLabel1")->Caption(), std::string("58%"));
    }

    void theTrackBarSeeksOnlyWhenTheUserMovesIt() {
        auto window = StartShown();
        Drop(*window, {Media("a.mp3", 100000)});
        window->PlayClick();
        media_.ClearLog();
        Part<QSlider>(*window, "TrackBar")->setValue(500);  // the program's own move
        QVERIFY(media_.Log().empty());
        Part<QSlider>(*window, "TrackBar")->setFocus();
        Part<QSlider>(*window, "TrackBar")->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(media_.Log().front(),
                 "seek " + std::to_string(Part<QSlider>(*window, "TrackBar")->value()));
        QCOMPARE(media_.Mode(), MediaMode::Playing);
    }

    void savingAsksWithTheSaveDialogAndWritesTheChosenForm() {
        auto window = StartShown();
        const std::string a = Media("a.mp3"), b = Media("b.mp3");
        Drop(*window, {a, b});
        window->State().PlayListDir = files_->Path().string() + "/";
        // A name of no list form: the chosen type decides.
        const std::string file = files_->File("out.lst");
        dialogs_.choice = Dialogs::Choice{file, 2};
        Part<QToolButton>(*window, "Save")->click();
        QCOMPARE(dialogs_.requests.size(), size_t(1));
        const Dialogs::Request& request = dialogs_.requests.back();
        QCOMPARE(request.title, std::string("Save PlayList"));
        // The Windows program's three types in their order and words, then extended M3U, PLS
        // and XSPF.
        QCOMPARE(
            request.filter,
            std::string("Quavrel Playlist|*.qpl|WinAmp PlayList|*.m3u|All Files|*.*|"
                        "Extended M3U (UTF-8)|*.m3u8|PLS Playlist|*.pls|XSPF Playlist|*.xspf"));
        QCOMPARE(request.defaultExt, std::string("qpl"));
        QCOMPARE(request.typeExts,
                 (std::map<int, std::string>{{4, "m3u8"}, {5, "pls"}, {6, "xspf"}}));
        QCOMPARE(request.fileName, std::string("*.qpl"));
        QCOMPARE(request.initialDir, window->State().PlayListDir);
        QCOMPARE(TempDir::Read(file), a + "\r\n" + b + "\r\n");
        QCOMPARE(window->State().CurrentListFile, file);

        dialogs_.choice = Dialogs::Choice{file, 1};
        window->SaveSelected1Click();  // a is selected since the drop
        QCOMPARE(dialogs_.requests.back().fileName, file);
        QCOMPARE(TempDir::Read(file), "Quavrel v2.0 PlayList File\r\na.mp3\r\n" + a + "\r\n");

        dialogs_.choice.reset();
        window->SavePlayList1Click();  // cancelled: nothing changes
        QCOMPARE(TempDir::Read(file), "Quavrel v2.0 PlayList File\r\na.mp3\r\n" + a + "\r\n");
    }

    void eachDialogOffersTheTypeLastChosenInIt() {
        auto window = StartShown();
        Drop(*window, {Media("a.mp3")});
        QCOMPARE(dialogs_.requests.size(), size_t(0));
        dialogs_.choice = Dialogs::Choice{files_->File("out.m3u"), 2};
        window->SavePlayList1Click();
        QCOMPARE(dialogs_.requests.back().filterIndex, 1);  // the own form at first
        window->SavePlayList1Click();
        QCOMPARE(dialogs_.requests.back().filterIndex, 2);  // M3U, as chosen last time
        dialogs_.choice.reset();
        window->LoadPlayList1Click();  // the open dialog keeps its own
        QCOMPARE(dialogs_.requests.back().filterIndex, 1);
        window->SavePlayList1Click();  // a cancelled dialog keeps what it had
        QCOMPARE(dialogs_.requests.back().filterIndex, 2);
        dialogs_.choice = Dialogs::Choice{files_->File("out.lst"), 3};
        window->SavePlayList1Click();
        window->SavePlayList1Click();
        QCOMPARE(dialogs_.requests.back().filterIndex, 3);
        // A name of a list form comes with its type, whatever was chosen last.
        dialogs_.choice = Dialogs::Choice{files_->File("out.pls"), 3};
        window->SavePlayList1Click();
        window->SavePlayList1Click();
        QCOMPARE(dialogs_.requests.back().fileName, files_->File("out.pls"));
        QCOMPARE(dialogs_.requests.back().filterIndex, 5);
    }

    void savingALoadedListKeepsTheFormItWasLoadedIn() {
        auto window = StartShown();
        const std::string a = Media("a.mp3"), b = Media("b.mp3");
        const std::string m3u = files_->Write("lists/mix.m3u", a + "\r\n" + b + "\r\n");
        dialogs_.choice = Dialogs::Choice{m3u, 1};
        window->LoadPlayList1Click();
        // Ctrl+S, then Enter: the name offered with its own type, whatever was chosen before.
        dialogs_.choice.reset();
        dialogs_.answer = [](const Dialogs::Request& request) {
            return Dialogs::Choice{request.fileName, request.filterIndex};
        };
        window->Save1Click();
        QCOMPARE(dialogs_.requests.back().fileName, m3u);
        QCOMPARE(dialogs_.requests.back().filterIndex, 2);
        QCOMPARE(TempDir::Read(m3u), a + "\r\n" + b + "\r\n");
        // A CUE sheet is only read: its name is never offered for the save.
        const std::string sheet = files_->Write(
            "lists/album.cue", "FILE \"a.mp3\" MP3\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n");
        Media("lists/a.mp3");
        dialogs_.answer = {};
        dialogs_.choice = Dialogs::Choice{sheet, 1};
        window->LoadPlayList1Click();
        dialogs_.answer = [](const Dialogs::Request& request) {
            return Dialogs::Choice{request.fileName, request.filterIndex};
        };
        window->Save1Click();
        QCOMPARE(dialogs_.requests.back().fileName, files_->File("lists/album.qpl"));
        QCOMPARE(dialogs_.requests.back().filterIndex, 1);
        QVERIFY(TempDir::Read(sheet).starts_with("FILE"));
        QVERIFY(TempDir::Read(files_->File("lists/album.qpl")).starts_with("Quavrel v2.0"));
        dialogs_.answer = {};
    }

    void loadingReplacesTheListAndPlaysItsFirstEntryWithLoopForcedOn() {
        auto window = StartShown();
        Drop(*window, {Media("old.mp3")});
        const std::string a = Media("a.mp3"), b = Media("b.mp3");
        const std::string list = files_->Write(
            "lists/new.qpl", "Quavrel v2.0 PlayList File\r\nFirst\r\n" + a + "\r\nMissing\r\n" +
                                 files_->File("none.mp3") + "\r\nSecond\r\n" + b + "\r\n");
        Part<QAction>(*window, "LoopN")->trigger();  // loop off
        dialogs_.choice = Dialogs::Choice{list, 1};
        Part<QToolButton>(*window, "Load")->click();
        QCOMPARE(dialogs_.requests.back().title, std::string("Open PlayList"));
        QCOMPARE(dialogs_.requests.back().filter,
                 std::string("Quavrel PlayList|*.qpl|WinAmp Playlist|*.m3u|All Files|*.*|"
                             "M3U8 Playlist|*.m3u8|PLS Playlist|*.pls|XSPF Playlist|*.xspf|"
                             "CUE Sheet|*.cue|Windows Media Playlist|*.wpl|ASX Playlist|*.asx"));
        QCOMPARE(dialogs_.requests.back().fileName, std::string("*.qpl"));
        QCOMPARE(Captions(*window), (QStringList{"First", "Second"}));
        QCOMPARE(messages_.shown.size(), size_t(1));
        QCOMPARE(messages_.shown[0].caption, std::string("Error"));
        QCOMPARE(messages_.shown[0].text,
                 std::string("For some reason some of the files from the playlist\r could not be "
                             "loaded.   Check if these files exists and\rif the file type filter "
                             "is capable of loading these filetypes"));
        QVERIFY(messages_.shown[0].icon == MessageBox::Icon::None);
        QCOMPARE(window->State().CurrentListFile, list);
        QCOMPARE(window->State().PlayListDir, files_->File("lists/"));
        QCOMPARE(media_.FileName(), a);
        QCOMPARE(media_.Mode(), MediaMode::Playing);
        QCOMPARE(window->windowTitle(), QStringLiteral("[ First ] Quavrel v2.0"));
        QCOMPARE(window->State().LoopOn, 0);

        dialogs_.choice.reset();
        window->LoadPlayList1Click();  // offers the file it returned last; cancelled: no change
        QCOMPARE(dialogs_.requests.back().fileName, list);
        QCOMPARE(dialogs_.requests.back().initialDir, files_->File("lists/"));

        window->LoadIt(files_->File("gone.qpl"));  // a missing file empties the list silently
        QVERIFY(window->PlayListModel().Empty());
        QCOMPARE(messages_.shown.size(), size_t(1));
        QCOMPARE(window->State().CurrentListFile, list);
    }

    void aMissingFileIsRemovedWhenPlayed() {
        auto window = StartShown();
        // On disk, so the list takes it; unknown to the device, so it fails to open.
        const std::string a = files_->Write("broken.mp3", "not audio");
        Drop(*window, {a});
        window->PlayClick();
        QVERIFY(window->PlayListModel().Empty());
        QCOMPARE(window->windowTitle(), QStringLiteral("Quavrel v2.0 "));
        QCOMPARE(ListControls(*window), All(false));
        QVERIFY(messages_.shown.empty());
    }
};

QTEST_MAIN(TQuavrelPlayListTest)
#include "TQuavrelPlayListTest.moc"
