#include <QAction>
#include <QDesktopServices>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include <algorithm>
#include <memory>

#include "TQuavrel.h"
#include "support/FindPart.h"
#include "support/MainWindowFakes.h"
#include "toolbars/TToolbar97.h"
#include "views/ExplorerPane.h"
#include "views/TFileList.h"
#include "views/TFileView.h"
#include "views/Tdirtree.h"

class TQuavrelExplorerTest : public QObject, protected MainWindowFakes {
    Q_OBJECT

public slots:
    // Stands in for the desktop's file manager.
    void OpenUrl(const QUrl& url) { opened_.append(url); }

private:
    using Window = std::unique_ptr<TQuavrel>;

    Window Start() {
        Window window(new TQuavrel(Services()));
        window->show();
        return window;
    }

    // The folder's path as the tree reports it.
    std::string Folder(const std::string& name = "") const {
        return name.empty() ? music_->Path().string() + "/" : music_->File(name) + "/";
    }

    std::vector<std::string> PlayListPaths(const TQuavrel& window) const {
        std::vector<std::string> paths;
        for (int i = 0; i < window.PlayListModel().Count(); ++i)
            paths.push_back(window.PlayListModel().At(i).Path);
        return paths;
    }

    std::unique_ptr<TempDir> music_;  // a.mp3, b.mp3, notes.txt, sub/c.mp3
    QList<QUrl> opened_;

private slots:
    void init() {
        NewSettingsFolder();
        music_ = std::make_unique<TempDir>();
        for (const char* name : {"b.mp3", "a.mp3", "notes.txt", "sub/c.mp3"}) {
            music_->Write(name, "x");
            media_.AddFile(music_->File(name), 1000);
        }
        opened_.clear();
    }

    void thePaneIsSetUpAsDesigned() {
        auto window = Start();
        QCOMPARE(Part<Tdirtree>(*window, "dirtree1")->toolTip(),
                 QStringLiteral("Select a directory to browse files"));
        QCOMPARE(Part<TFileList>(*window, "ExpList")->toolTip(),
                 QStringLiteral("Double Click on file to add to playlist"));
        QCOMPARE(Part<Tdirtree>(*window, "dirtree1")->Directory(), std::string("?"));
        QCOMPARE(Part<TFileList>(*window, "ExpList")->Count(), 0);
        const QStringList hints = {
            "Open Folder", "Parent Directory",
            "Add All Files in Directory Recursively including SubDirectories into PlayList",
            "Add all Files only in selected Directory into Playlist",
            "Add Selected Files to PlayList"};
        const QToolButton* buttons[] = {
            Part<QToolButton>(*window, "ToolbarButton974"), Part<QToolButton>(*window, "CDUp"),
            Part<QToolButton>(*window, "AddFiles"), Part<QToolButton>(*window, "ToolbarButton973"),
            Part<QToolButton>(*window, "ToolbarButton971")};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(buttons[i]->toolTip(), hints[i]);
            if (i > 0)
                QVERIFY(buttons[i]->y() > buttons[i - 1]->y());  // top to bottom
        }
        // The tree leaves dot-folders out; the file list shows files only, filtered.
        QVERIFY(!Part<Tdirtree>(*window, "dirtree1")->DirType().Has(dtAll));
        music_->Write("sub/.hidden/x.mp3", "x");
        Part<Tdirtree>(*window, "dirtree1")->SetDirectory(Folder("sub/.hidden"));
        QCOMPARE(Part<Tdirtree>(*window, "dirtree1")->Directory(), std::string("?"));
        Part<Tdirtree>(*window, "dirtree1")->SetDirectory(Folder());
        QCOMPARE(Part<Tdirtree>(*window, "dirtree1")->Directory(), Folder());
        QCOMPARE(Part<TFileList>(*window, "ExpList")->Count(),
                 2);  // a.mp3, b.mp3: no folder, no notes.txt
        QCOMPARE(Part<TFileList>(*window, "ExpList")->PathOf(0), music_->File("a.mp3"));
    }

    void addingTheFolderAppendsItsFilesAndFocusesTheFirst() {
        auto window = Start();
        Part<Tdirtree>(*window, "dirtree1")->SetDirectory(Folder());
        Part<QToolButton>(*window, "ToolbarButton973")->click();
        QCOMPARE(PlayListPaths(*window),
                 (std::vector<std::string>{music_->File("a.mp3"), music_->File("b.mp3")}));
        QCOMPARE(window->PlayListModel().Focused(), 0);
        QVERIFY(window->PlayListModel().IsSelected(0));
        QCOMPARE(window->State().PlayIndex, 0);
        QCOMPARE(Part<TFileList>(*window, "ExpList")->SelectedCount(), 0);
        QCOMPARE(media_.FileName(), music_->File("a.mp3"));
        QVERIFY(media_.Log().empty());  // nothing starts playing
        QVERIFY(window->PlayListModel().IsConsistent());
    }

    void addingSelectedFilesTakesThemInListOrder() {
        auto window = Start();
        Part<Tdirtree>(*window, "dirtree1")->SetDirectory(Folder());
        Part<QToolButton>(*window, "ToolbarButton971")->click();  // nothing selected: nothing added
        QVERIFY(window->PlayListModel().Empty());
        QVERIFY(media_.FileName().empty());

        Part<TFileList>(*window, "ExpList")->Select(1);
        Part<TFileList>(*window, "ExpList")->Select(0);
        Part<ExplorerPane>(*window, "Panel1")->ExpListDblClick();
        QCOMPARE(PlayListPaths(*window),
                 (std::vector<std::string>{music_->File("a.mp3"), music_->File("b.mp3")}));
        Part<TFileList>(*window, "ExpList")->Select(1);
        Part<QToolButton>(*window, "ToolbarButton971")->click();
        QCOMPARE(window->PlayListModel().Count(), 3);
        QCOMPARE(window->PlayListModel().Focused(), 2);
        QCOMPARE(window->State().PlayIndex, 2);
        QCOMPARE(Part<TFileList>(*window, "ExpList")->SelectedCount(), 0);
    }

    void aDragOfExplorerEntriesOntoThePlayListAddsThem() {
        auto window = Start();
        Part<Tdirtree>(*window, "dirtree1")->SetDirectory(Folder());
        QVERIFY(Part<TFileView>(*window, "FileList")
                    ->OnDragOver(Part<TFileList>(*window, "ExpList"), 0, 0));
        QVERIFY(!Part<TFileView>(*window, "FileList")
                     ->OnDragOver(Part<TFileView>(*window, "FileList"), 0, 0));
        Part<TFileList>(*window, "ExpList")->Select(1);
        Part<TFileList>(*window, "ExpList")
            ->OnEndDrag(Part<TFileList>(*window, "ExpList"));  // dropped back on itself: nothing
        QVERIFY(window->PlayListModel().Empty());
        Part<TFileList>(*window, "ExpList")->OnEndDrag(Part<TFileView>(*window, "FileList"));
        QCOMPARE(PlayListPaths(*window), (std::vector<std::string>{music_->File("b.mp3")}));
        QCOMPARE(window->PlayListModel().Focused(), 0);
    }

    void aPlayListDraggedFromTheExplorerAddsItsEntries() {
        auto window = Start();
        window->State().FilteringOn = 0;  // so the explorer shows the list file
        const std::string list = music_->Write("mix.m3u", "#EXTINF:1,Song B\nb.mp3\nsub/c.mp3\n");
        Part<Tdirtree>(*window, "dirtree1")->SetDirectory(Folder());
        TFileList* explorer = Part<TFileList>(*window, "ExpList");
        int row = -1;
        for (int i = 0; i < explorer->Count(); ++i)
            if (explorer->PathOf(i) == list)
                row = i;
        QVERIFY(row >= 0);
        explorer->Select(row);
        explorer->OnEndDrag(Part<TFileView>(*window, "FileList"));
        QCOMPARE(PlayListPaths(*window),
                 (std::vector<std::string>{music_->File("b.mp3"), music_->File("sub/c.mp3")}));
        QCOMPARE(window->PlayListModel().At(0).Caption, std::string("Song B"));
        QCOMPARE(window->PlayListModel().Focused(), 0);
        QCOMPARE(media_.FileName(), music_->File("b.mp3"));
        QVERIFY(messages_.shown.empty());
    }

    void addingRecursivelyTakesTheSubfoldersThenOpensTheEmptyName() {
        auto window = Start();
        Part<Tdirtree>(*window, "dirtree1")->SetDirectory(Folder());
        Part<QToolButton>(*window, "AddFiles")->click();
        std::vector<std::string> paths = PlayListPaths(*window);
        std::sort(paths.begin(), paths.end());
        QCOMPARE(paths, (std::vector<std::string>{music_->File("a.mp3"), music_->File("b.mp3"),
                                                  music_->File("sub/c.mp3")}));
        // Paths are joined once: the folder went without its trailing "/".
        QVERIFY(std::none_of(paths.begin(), paths.end(),
                             [](const std::string& p) { return p.find("//") != p.npos; }));
        // Then the device is opened with its file name still empty, as designed: that fails
        // quietly, nothing plays and no entry is lost.
        QVERIFY(std::count(media_.Log().begin(), media_.Log().end(), "open ") == 1);
        QVERIFY(std::count(media_.Log().begin(), media_.Log().end(), "play") == 0);
        QCOMPARE(window->PlayListModel().Count(), 3);
        QVERIFY(messages_.shown.empty());
    }

    void parentDirectoryClimbsToNothingAndEmptiesTheList() {
        auto window = Start();
        Part<Tdirtree>(*window, "dirtree1")->SetDirectory(Folder("sub"));
        QCOMPARE(Part<TFileList>(*window, "ExpList")->Count(), 1);
        Part<QToolButton>(*window, "CDUp")->click();
        QCOMPARE(Part<Tdirtree>(*window, "dirtree1")->Directory(), Folder());
        QCOMPARE(Part<TFileList>(*window, "ExpList")->Count(), 2);
        Part<Tdirtree>(*window, "dirtree1")->SetDirectory("/");
        Part<QToolButton>(*window, "CDUp")->click();
        QCOMPARE(Part<Tdirtree>(*window, "dirtree1")->Directory(), std::string("?"));
        QCOMPARE(Part<TFileList>(*window, "ExpList")->Count(), 0);
        Part<QToolButton>(*window, "CDUp")->click();  // nothing selected: nothing happens
        QCOMPARE(Part<Tdirtree>(*window, "dirtree1")->Directory(), std::string("?"));
    }

    void openFolderHandsTheFolderToTheFileManager() {
        auto window = Start();
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "OpenUrl");
        Part<QToolButton>(*window, "ToolbarButton974")
            ->click();  // no folder selected: nothing to open
        Part<Tdirtree>(*window, "dirtree1")->SetDirectory(Folder());
        Part<QToolButton>(*window, "ToolbarButton974")->click();
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(opened_, (QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(Folder()))}));
    }

    void hidingAndShowingThePaneReturnsToTheSameFolder() {
        auto window = Start();
        Part<Tdirtree>(*window, "dirtree1")->SetDirectory(Folder("sub"));
        Part<QAction>(*window, "ExplorerToggle2")->trigger();
        QVERIFY(Part<ExplorerPane>(*window, "Panel1")->isHidden());
        QCOMPARE(window->State().BrowseDir, Folder("sub"));
        Part<Tdirtree>(*window, "dirtree1")->SetDirectory(Folder());  // moved while hidden
        window->ExplorerToggle1Click();
        QVERIFY(!Part<ExplorerPane>(*window, "Panel1")->isHidden());
        QCOMPARE(Part<Tdirtree>(*window, "dirtree1")->Directory(), Folder("sub"));
        QCOMPARE(Part<TFileList>(*window, "ExpList")->Count(), 1);
    }

    void folderToggleHidesThePaneAloneThenShowsEverything() {
        auto window = Start();
        Part<Tdirtree>(*window, "dirtree1")->SetDirectory(Folder());
        window->FunctionsToolbar1Click();
        window->LoadSaveToolbar1Click();
        window->OptionsToolbar1Click();
        Part<QAction>(*window, "FolderTog")->trigger();
        QVERIFY(Part<ExplorerPane>(*window, "Panel1")->isHidden());
        QVERIFY(Part<TToolbar97>(*window, "TBFunctions")->isHidden());
        QVERIFY(Part<TToolbar97>(*window, "TBOPtions")->isHidden());
        QVERIFY(Part<TToolbar97>(*window, "TBSystem")->isHidden());

        window->FolderToggle1Click();
        QVERIFY(!Part<ExplorerPane>(*window, "Panel1")->isHidden());
        QVERIFY(!Part<TToolbar97>(*window, "TBFunctions")->isHidden());
        QVERIFY(!Part<TToolbar97>(*window, "TBOPtions")->isHidden());
        QVERIFY(!Part<TToolbar97>(*window, "TBSystem")->isHidden());
        QVERIFY(Part<QAction>(*window, "FunctionsToolbar1")->isChecked());
        QVERIFY(Part<QAction>(*window, "LoadSaveToolbar1")->isChecked());
        QVERIFY(Part<QAction>(*window, "OptionsToolbar1")->isChecked());
        QCOMPARE(Part<Tdirtree>(*window, "dirtree1")->Directory(), Folder());

        window->FolderToggle1Click();  // all shown: all four hide
        QVERIFY(Part<ExplorerPane>(*window, "Panel1")->isHidden());
        QVERIFY(Part<TToolbar97>(*window, "TBFunctions")->isHidden());
        QVERIFY(!Part<QAction>(*window, "OptionsToolbar1")->isChecked());
    }

    void hintsShowUntilTheFirstClick() {
        auto window = Start();
        QTest::mouseClick(Part<Tdirtree>(*window, "dirtree1")->viewport(), Qt::LeftButton);
        QVERIFY(Part<Tdirtree>(*window, "dirtree1")->toolTip().isEmpty());
        QVERIFY(!Part<TFileList>(*window, "ExpList")->toolTip().isEmpty());
        Part<Tdirtree>(*window, "dirtree1")->SetDirectory(Folder());
        QTest::mouseClick(Part<TFileList>(*window, "ExpList")->CurrentView()->viewport(),
                          Qt::LeftButton);
        QVERIFY(Part<TFileList>(*window, "ExpList")->toolTip().isEmpty());
    }
};

QTEST_MAIN(TQuavrelExplorerTest)
#include "TQuavrelExplorerTest.moc"
