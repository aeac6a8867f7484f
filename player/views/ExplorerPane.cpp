#include "views/ExplorerPane.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QSplitter>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "media/MediaDevice.h"
#include "playback/PlayerState.h"
#include "playlist/PlayList.h"
#include "views/TFileList.h"
#include "views/Tdirtree.h"

namespace {

constexpr int kTreeWidth = 170;
constexpr int kPanel2Width = 41;
constexpr int kSplitter1Width = 9;

// The five buttons between the tree and the list, top down.
struct ButtonSpec {
    const char* name;
    const char* hint;
    const char* glyph;
    void (ExplorerPane::*handler)();
};
constexpr ButtonSpec kButtons[] = {
    {"ToolbarButton974", "Open Folder", ":/explorer/openfolder.svg",
     &ExplorerPane::ToolbarButton974Click},
    {"CDUp", "Parent Directory", ":/explorer/parent.svg", &ExplorerPane::CDUpClick},
    {"AddFiles", "Add All Files in Directory Recursively including SubDirectories into PlayList",
     ":/explorer/addtree.svg", &ExplorerPane::AddFilesClick},
    {"ToolbarButton973", "Add all Files only in selected Directory into Playlist",
     ":/explorer/addfolder.svg", &ExplorerPane::ToolbarButton973Click},
    {"ToolbarButton971", "Add Selected Files to PlayList", ":/explorer/addselected.svg",
     &ExplorerPane::ToolbarButton971Click},
};

}  // namespace

ExplorerPane::ExplorerPane(Parts parts, FileAdder::FilterTest passesFilter, QWidget* parent)
    : QWidget(parent), parts_(std::move(parts)) {
    setObjectName(QStringLiteral("Panel1"));
    auto* paneLayout = new QHBoxLayout(this);
    paneLayout->setContentsMargins(0, 0, 0, 0);
    paneLayout->setSpacing(0);

    // The tree on the left of Splitter1; the button strip and the file list on its right.
    Splitter1_ = new QSplitter(Qt::Horizontal, this);
    Splitter1_->setObjectName(QStringLiteral("Splitter1"));
    Splitter1_->setHandleWidth(kSplitter1Width);
    Splitter1_->setChildrenCollapsible(false);
    paneLayout->addWidget(Splitter1_);

    dirtree1_ = new Tdirtree(Splitter1_);
    dirtree1_->setObjectName(QStringLiteral("dirtree1"));
    dirtree1_->setToolTip(QStringLiteral("Select a directory to browse files"));
    // Dot-folders clutter a Linux home folder; the component still shows them when asked.
    dirtree1_->SetDirType({dtNormal});
    dirtree1_->SetDirectory("?");
    Splitter1_->addWidget(dirtree1_);

    auto* right = new QWidget(Splitter1_);
    auto* rightLayout = new QHBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(0);
    Splitter1_->addWidget(right);
    Splitter1_->setStretchFactor(0, 0);
    Splitter1_->setStretchFactor(1, 1);
    Splitter1_->setSizes({kTreeWidth, 400});

    auto* panel2 = new QWidget(right);
    panel2->setObjectName(QStringLiteral("Panel2"));
    panel2->setFixedWidth(kPanel2Width);
    rightLayout->addWidget(panel2);
    CreateButtons(panel2);
    CreateList(std::move(passesFilter), rightLayout);
    Connect();
}

void ExplorerPane::CreateButtons(QWidget* strip) {
    Image2_ = new QLabel(strip);  // the stretched picture behind the buttons
    Image2_->setObjectName(QStringLiteral("Image2"));
    Image2_->setPixmap(QPixmap(QStringLiteral(":/glyphs/panel.svg")));
    Image2_->setScaledContents(true);
    Image2_->setGeometry(0, 0, kPanel2Width, 2000);
    auto* buttons = new QVBoxLayout(strip);
    buttons->setContentsMargins(2, 2, 2, 2);
    buttons->setSpacing(1);
    for (const ButtonSpec& spec : kButtons) {
        auto* b = new QToolButton(strip);
        b->setObjectName(QString::fromLatin1(spec.name));
        b->setToolTip(QString::fromLatin1(spec.hint));
        b->setIcon(QIcon(QString::fromLatin1(spec.glyph)));
        b->setIconSize(QSize(20, 20));
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(kPanel2Width - 4, 28);
        const auto handler = spec.handler;
        connect(b, &QToolButton::clicked, this,
                [this, handler] { parts_.guarded([this, handler] { (this->*handler)(); }); });
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
}

void ExplorerPane::CreateList(FileAdder::FilterTest passesFilter, QBoxLayout* place) {
    ExpList_ = new TFileList(parts_.shell, std::move(passesFilter), place->parentWidget());
    ExpList_->setObjectName(QStringLiteral("ExpList"));
    place->addWidget(ExpList_, 1);
    ExpList_->SetHint(QStringLiteral("Double Click on file to add to playlist"));
    ExpList_->SetAcceptFiles(false);
    ExpList_->SetFileTypes({ftArchive, ftReadonly, ftHidden, ftAll});
    ExpList_->SetDisplayDirectory(false);
    ExpList_->SetDisplayParentDir(false);
    ExpList_->SetViewColumns({fiName, fiSize, fiType, fiModified});
    ExpList_->SetViewStyle(TViewStyle::vsList);
    ExpList_->SetReadOnly(false);  // an edit changes the shown caption only, never the file
    ExpList_->SetDragEnabled(true);
    ExpList_->SetMask("*.*");
}

void ExplorerPane::Connect() {
    // In the form's order.
    connect(dirtree1_, &Tdirtree::Change, this,
            [this] { parts_.guarded([this] { dirtree1Change(); }); });
    connect(dirtree1_, &Tdirtree::Click, this,
            [this] { parts_.guarded([this] { dirtree1Click(); }); });
    ExpList_->OnMouseUp = [this](Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        parts_.guarded([this] { ExpListClick(); });
    };
    ExpList_->OnDblClick = [this] { parts_.guarded([this] { ExpListDblClick(); }); };
    ExpList_->OnEndDrag = [this](QWidget* target) {
        parts_.guarded([this, target] { ExpListEndDrag(target); });
    };
}

void ExplorerPane::AcceptDragsInto(TFileListView& playList) {
    playListView_ = &playList;
    playList.OnDragOver = [this](TFileListView* source, int, int) { return source == ExpList_; };
    playList.OnDragDrop = [](TFileListView*, int, int) {};
}

void ExplorerPane::dirtree1Change() {
    // A tree without a selection lists nothing (rather than a folder named "?").
    const std::string folder = dirtree1_->Directory();
    // One folder, whatever its name holds: ";" is legal in a Linux name.
    ExpList_->SetFolder(folder == "?" ? std::string() : folder);
}

void ExplorerPane::dirtree1Click() {
    dirtree1_->setToolTip(QString());
}

void ExplorerPane::ExpListClick() {
    ExpList_->SetHint(QString());
}

void ExplorerPane::ExpListDblClick() {
    ToolbarButton971Click();
}

void ExplorerPane::ExpListEndDrag(QWidget* target) {
    if (target && target == playListView_)
        ToolbarButton971Click();
}

void ExplorerPane::ToolbarButton974Click() {
    const std::string folder = dirtree1_->Directory();
    if (folder == "?")
        return;  // nothing to open; the shell would fail silently anyway
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(folder)));
}

void ExplorerPane::CDUpClick() {
    DirTree& tree = dirtree1_->Tree();
    if (DirTreeNode* node = tree.Selected())
        tree.Select(node->Parent());
}

void ExplorerPane::ToolbarButton971Click() {
    parts_.media.SetFileName(std::string());
    // The selection as it stands, lowest index first; the adds change nothing in the list.
    std::vector<int> selected;
    for (int i = 0; i < ExpList_->Count(); ++i) {
        if (ExpList_->IsSelected(i))
            selected.push_back(i);
    }
    if (selected.empty())
        return;
    std::vector<std::string> paths;
    for (const int k : selected) {
        paths.push_back(ExpList_->PathOf(k));
        ExpList_->Select(k, false);
    }
    parts_.media.SetFileName(paths.front());
    const int entry = parts_.addChosen(paths);
    if (entry >= 0) {
        // The entry's path: a play list makes an entry of its first file.
        parts_.media.SetFileName(parts_.list.At(entry).Path);
        parts_.list.Focus(entry);
        parts_.list.Select(entry);
        parts_.state.PlayIndex = entry;
    }
}

void ExplorerPane::ToolbarButton973Click() {
    parts_.media.SetFileName(std::string());
    for (int i = 0; i < ExpList_->Count(); ++i)
        ExpList_->Select(i);
    ToolbarButton971Click();
}

void ExplorerPane::AddFilesClick() {
    const DirTreeNode* node = dirtree1_->Tree().Selected();
    std::string folder = dirtree1_->Directory();
    if (folder.empty() || folder == "?")
        return;
    parts_.media.SetFileName(std::string());
    // A folder goes without its trailing "/"; a root keeps it ("/" must stay a path).
    if (node && node->Parent() && folder.size() > 1)
        folder.pop_back();
    parts_.longWork("Adding files", [&](const FileAdder::Progress& progress) {
        parts_.adder.AddFile(folder, parts_.list, progress);
    });
    parts_.openAndPlay();
}
