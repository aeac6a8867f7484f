// The explorer pane: the directory tree, the explorer file list, the five buttons between
// them, and the commands that add explorer files to the play list or show and hide the pane.
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QSplitter>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "TQuavrel.h"
#include "filter/FileTypeFilter.h"
#include "media/MediaDevice.h"
#include "toolbars/TToolbar97.h"
#include "views/TFileList.h"
#include "views/TFileView.h"
#include "views/Tdirtree.h"

namespace {

constexpr int kTreeWidth = 170;
constexpr int kPanel2Width = 41;
constexpr int kSplitter1Width = 9;

}  // namespace

void TQuavrel::CreateExplorer() {
    using T = TQuavrel;
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* paneLayout = new QHBoxLayout(Panel1);
    paneLayout->setContentsMargins(0, 0, 0, 0);
    paneLayout->setSpacing(0);

    // The tree on the left of Splitter1; the button strip and the file list on its right.
    Splitter1 = new QSplitter(Qt::Horizontal, Panel1);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(kSplitter1Width);
    Splitter1->setChildrenCollapsible(false);
    paneLayout->addWidget(Splitter1);

    dirtree1 = new Tdirtree(Splitter1);
    dirtree1->setObjectName(QStringLiteral("dirtree1"));
    dirtree1->setToolTip(QStringLiteral("Select a directory to browse files"));
    // Dot-folders clutter a Linux home folder; the component still shows them when asked.
    dirtree1->SetDirType({dtNormal});
    dirtree1->SetDirectory("?");
    Splitter1->addWidget(dirtree1);

    auto* right = new QWidget(Splitter1);
    auto* rightLayout = new QHBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(0);
    Splitter1->addWidget(right);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({kTreeWidth, 400});

    Panel2 = new QWidget(right);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedWidth(kPanel2Width);
    rightLayout->addWidget(Panel2);
    Image2 = new QLabel(Panel2);  // the stretched picture behind the buttons
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setPixmap(QPixmap(QStringLiteral(":/glyphs/panel.svg")));
    Image2->setScaledContents(true);
    Image2->setGeometry(0, 0, kPanel2Width, 2000);
    auto* buttons = new QVBoxLayout(Panel2);
    buttons->setContentsMargins(2, 2, 2, 2);
    buttons->setSpacing(1);
    const auto button = [&](const char* name, const char* hint, const char* glyph,
                            void (TQuavrel::*handler)()) {
        auto* b = new QToolButton(Panel2);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(QString::fromLatin1(hint));
        b->setIcon(QIcon(QString::fromLatin1(glyph)));
        b->setIconSize(QSize(20, 20));
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(kPanel2Width - 4, 28);
        connect(b, &QToolButton::clicked, this, [this, handler] { Guarded(handler); });
        buttons->addWidget(b);
        return b;
    };
    ToolbarButton974 = button("ToolbarButton974", "Open Folder", ":/explorer/openfolder.svg",
                              &T::ToolbarButton974Click);
    CDUp = button("CDUp", "Parent Directory", ":/explorer/parent.svg", &T::CDUpClick);
    AddFiles = button("AddFiles",
                      "Add All Files in Directory Recursively including SubDirectories into "
                      "PlayList",
                      ":/explorer/addtree.svg", &T::AddFilesClick);
    ToolbarButton973 =
        button("ToolbarButton973", "Add all Files only in selected Directory into Playlist",
               ":/explorer/addfolder.svg", &T::ToolbarButton973Click);
    ToolbarButton971 = button("ToolbarButton971", "Add Selected Files to PlayList",
                              ":/explorer/addselected.svg", &T::ToolbarButton971Click);
    buttons->addStretch(1);

    ExpList = new TFileList(
        *shellInfo_,
        [this](const std::string& path) {
            return PassesFilter(path, FilterList.get(), FilteringOn);
        },
        right);
    ExpList->setObjectName(QStringLiteral("ExpList"));
    rightLayout->addWidget(ExpList, 1);
    ExpList->SetHint(QStringLiteral("Double Click on file to add to playlist"));
    ExpList->SetAcceptFiles(false);
    ExpList->SetFileTypes({ftArchive, ftReadonly, ftHidden, ftAll});
    ExpList->SetDisplayDirectory(false);
    ExpList->SetDisplayParentDir(false);
    ExpList->SetViewColumns({fiName, fiSize, fiType, fiModified});
    ExpList->SetViewStyle(TViewStyle::vsList);
    ExpList->SetReadOnly(false);  // an edit changes the shown caption only, never the file
    ExpList->SetDragEnabled(true);
    ExpList->SetMask("*.*");

    // --- Events, in the form's order ---
    connect(dirtree1, &Tdirtree::Change, this, [this] { Guarded(&T::dirtree1Change); });
    connect(dirtree1, &Tdirtree::Click, this, [this] { Guarded(&T::dirtree1Click); });
    ExpList->OnMouseUp = [this](Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        Guarded(&T::ExpListClick);
    };
    ExpList->OnDblClick = [this] { Guarded(&T::ExpListDblClick); };
    ExpList->OnEndDrag = [this](QWidget* target) {
        try {
            ExpListEndDrag(target);
        } catch (const std::exception& error) {
            ShowException(error);
        }
    };
    // The play list takes a drag of explorer entries (and no other drag from inside the
    // window); ExpListEndDrag then adds them, so the drop itself adds nothing.
    if (FileList) {
        FileList->OnDragOver = [this](TFileListView* source, int, int) {
            return source == ExpList;
        };
        FileList->OnDragDrop = [](TFileListView*, int, int) {};
    }
}

void TQuavrel::dirtree1Change() {
    // A tree without a selection lists nothing (rather than a folder named "?").
    const std::string folder = dirtree1->Directory();
    ExpList->SetDirectory(folder == "?" ? std::string() : folder);
}

void TQuavrel::dirtree1Click() {
    dirtree1->setToolTip(QString());
}

void TQuavrel::ExpListClick() {
    ExpList->SetHint(QString());
}

void TQuavrel::ExpListDblClick() {
    ToolbarButton971Click();
}

void TQuavrel::ExpListEndDrag(QWidget* target) {
    if (target && target == FileList)
        ToolbarButton971Click();
}

void TQuavrel::ToolbarButton974Click() {
    const std::string folder = dirtree1->Directory();
    if (folder == "?")
        return;  // nothing to open; the shell would fail silently anyway
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(folder)));
}

void TQuavrel::CDUpClick() {
    DirTree& tree = dirtree1->Tree();
    if (DirTreeNode* node = tree.Selected())
        tree.Select(node->Parent());
}

void TQuavrel::ToolbarButton971Click() {
    MediaPlayer1.SetFileName(std::string());
    // The selection as it stands, lowest index first; the adds change nothing in the list.
    std::vector<int> selected;
    for (int i = 0; i < ExpList->Count(); ++i) {
        if (ExpList->IsSelected(i))
            selected.push_back(i);
    }
    if (selected.empty())
        return;
    // A play list among them adds its entries, as a drop of it does.
    bool listFailed = false;
    const std::string first = ExpList->PathOf(selected.front());
    MediaPlayer1.SetFileName(first);
    const int entry = AddDropped(first, listFailed);
    ExpList->Select(selected.front(), false);
    if (entry >= 0) {
        MediaPlayer1.SetFileName(PlayListModel.At(entry).Path);
        PlayListModel.Focus(entry);
        PlayListModel.Select(entry);
        PlayIndex = entry;
    }
    for (std::size_t k = 1; k < selected.size(); ++k) {
        AddDropped(ExpList->PathOf(selected[k]), listFailed);
        ExpList->Select(selected[k], false);
    }
    if (listFailed)
        ShowListFailure();
}

void TQuavrel::ToolbarButton973Click() {
    MediaPlayer1.SetFileName(std::string());
    for (int i = 0; i < ExpList->Count(); ++i)
        ExpList->Select(i);
    ToolbarButton971Click();
}

void TQuavrel::AddFilesClick() {
    const DirTreeNode* node = dirtree1->Tree().Selected();
    std::string folder = dirtree1->Directory();
    if (folder.empty() || folder == "?")
        return;
    MediaPlayer1.SetFileName(std::string());
    // A folder goes without its trailing "/"; a root keeps it ("/" must stay a path).
    if (node && node->Parent() && folder.size() > 1)
        folder.pop_back();
    FileList->AddFile(folder);
    OpenAndPlay();
}

void TQuavrel::ExplorerToggle1Click() {
    if (!Panel1->isHidden()) {
        BrowseDir = dirtree1->Directory();
        Panel1->hide();
        if (Splitter2)
            Splitter2->hide();
    } else {
        dirtree1->SetDirectory(BrowseDir);
        if (Splitter2)
            Splitter2->show();
        Panel1->show();
        dirtree1->SetDirectory(BrowseDir);
    }
}

void TQuavrel::ExplorerToggle2Click() {
    ExplorerToggle1Click();
}

void TQuavrel::FolderToggle1Click() {
    if (Panel1->isHidden() && TBFunctions->isHidden() && TBOPtions->isHidden() &&
        TBSystem->isHidden()) {
        ExplorerToggle1Click();
        FunctionsToolbar1Click();
        LoadSaveToolbar1Click();
        OptionsToolbar1Click();
        dirtree1->SetDirectory(BrowseDir);
        return;
    }
    HideExplorerAndToolbars(&TQuavrel::ExplorerToggle1Click);
}

void TQuavrel::FolderTogClick() {
    FolderToggle1Click();
}
