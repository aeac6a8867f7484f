// The menus: the main menu bar, the tray menu (also the window's context menu), the play list's
// item menu and the "View" button's drop-down, each item bound to its handler and named after
// its member.
#include <QActionGroup>
#include <QMenuBar>

#include "TQuavrel.h"

namespace {

enum class Tick { None, Off, On };  // a check mark, and its state at start

}  // namespace

// One item of a menu; no action makes a separator.
struct TQuavrel::MenuItem {
    QAction* TQuavrel::*action = nullptr;
    const char* name = nullptr;
    const char* caption = nullptr;
    void (TQuavrel::*handler)() = nullptr;
    QKeySequence shortcut = {};
    Tick tick = Tick::None;
};

namespace {

void Radio(QObject* owner, std::initializer_list<QAction*> actions) {
    auto* group = new QActionGroup(owner);
    group->setExclusive(true);
    for (QAction* action : actions) {
        action->setCheckable(true);
        group->addAction(action);
    }
}

}  // namespace

void TQuavrel::AddItems(QMenu* menu, std::initializer_list<MenuItem> items) {
    for (const MenuItem& item : items) {
        if (!item.action) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString::fromUtf8(item.caption));
        action->setObjectName(QString::fromLatin1(item.name));
        action->setShortcut(item.shortcut);
        const auto handler = item.handler;
        connect(action, &QAction::triggered, this, [this, handler] { Guarded(handler); });
        if (item.tick != Tick::None) {
            action->setCheckable(true);
            action->setChecked(item.tick == Tick::On);
        }
        this->*item.action = action;
    }
}

void TQuavrel::CreateMenus() {
    CreateMainMenu();
    CreateViewMenu();
    CreateTrayMenu();
    CreatePopUps();
}

void TQuavrel::CreateMainMenu() {
    using T = TQuavrel;
    QMenuBar* bar = menuBar();
    AddItems(bar->addMenu(QStringLiteral("PlayList")),
             {
                 {&T::Open1, "Open1", "Load PlayList", &T::Open1Click, Qt::CTRL | Qt::Key_L},
                 {&T::Save1, "Save1", "Save PlayList", &T::Save1Click, Qt::CTRL | Qt::Key_S},
                 {&T::SaveSelected1, "SaveSelected1", "Save Selected", &T::SaveSelected1Click},
                 {&T::OpenLocation1, "OpenLocation1", "Open Location\u2026", &T::OpenLocation1Click,
                  Qt::CTRL | Qt::Key_U},
                 {},
                 {&T::FileTypes1, "FileTypes1", "FileType Filtering", &T::FileTypes1Click},
                 {&T::ResetQuavrel1, "ResetQuavrel1", "Reset Quavrel", &T::ResetQuavrel1Click},
                 {},
                 {&T::Exit2, "Exit2", "Exit", &T::Exit2Click, Qt::CTRL | Qt::Key_X},
             });
    AddItems(
        bar->addMenu(QStringLiteral("Edit")),
        {
            {&T::DeleteSelected1, "DeleteSelected1", "Delete Selected", &T::DeleteSelected1Click,
             Qt::Key_Delete},
            {&T::ClearPlayList1, "ClearPlayList1", "Clear PlayList", &T::ClearPlayList1Click,
             Qt::CTRL | Qt::Key_Delete},
            {},
            {&T::MoveBack1, "MoveBack1", "Move Back", &T::MoveBack1Click, Qt::CTRL | Qt::Key_Q},
            {&T::MoveFwd1, "MoveFwd1", "Move Fwd", &T::MoveFwd1Click, Qt::CTRL | Qt::Key_Z},
            {},
            {&T::RenameFileinPlayList1, "RenameFileinPlayList1", "Edit Caption",
             &T::RenameFileinPlayList1Click, Qt::Key_F2},
        });
    QMenu* sequence = bar->addMenu(QStringLiteral("Sequence"));
    AddItems(sequence, {
                           {&T::NextSong1, "NextSong1", "Next", &T::NextSong1Click, Qt::Key_F6},
                           {&T::PrevSong1, "PrevSong1", "Prev", &T::PrevSong1Click, Qt::Key_F5},
                           {&T::Play2, "Play2", "Play", &T::Play2Click, Qt::Key_F7},
                           {&T::Pause2, "Pause2", "Pause", &T::Pause2Click, Qt::Key_F8},
                           {&T::JumpToFile1, "JumpToFile1", "Jump to File", &T::JumpToFile1Click,
                            Qt::CTRL | Qt::Key_J},
                           {},
                           {&T::Loop1, "Loop1", "Loop", &T::Loop1Click, {}, Tick::On},
                           {&T::Shuffle2, "Shuffle2", "Shuffle", &T::Shuffle2Click, {}, Tick::Off},
                           {&T::Preview1, "Preview1", "Preview", &T::Preview1Click, {}, Tick::Off},
                           {},
                           {&T::StopAfterEntry1,
                            "StopAfterEntry1",
                            "Stop After This Entry",
                            &T::StopAfterEntry1Click,
                            {},
                            Tick::Off},
                           {&T::ResumePlayback1,
                            "ResumePlayback1",
                            "Resume Playback",
                            &T::ResumePlayback1Click,
                            {},
                            Tick::Off},
                       });
    AddItems(sequence->addMenu(QStringLiteral("ReplayGain")),
             {
                 {&T::ReplayGainOff1, "ReplayGainOff1", "Off", &T::ReplayGainOff1Click},
                 {&T::ReplayGainTrack1, "ReplayGainTrack1", "By Track", &T::ReplayGainTrack1Click},
                 {&T::ReplayGainAlbum1, "ReplayGainAlbum1", "By Album", &T::ReplayGainAlbum1Click},
                 {},
                 {&T::ReplayGainClip1,
                  "ReplayGainClip1",
                  "Prevent Clipping",
                  &T::ReplayGainClip1Click,
                  {},
                  Tick::On},
                 {&T::ReplayGainPreamp1, "ReplayGainPreamp1", "Pre-amplification (0.0 dB)...",
                  &T::ReplayGainPreamp1Click},
             });
    Radio(this, {ReplayGainOff1, ReplayGainTrack1, ReplayGainAlbum1});
    ReplayGainOff1->setChecked(true);
}

void TQuavrel::CreateViewMenu() {
    using T = TQuavrel;
    QMenuBar* bar = menuBar();
    QMenu* view = bar->addMenu(QStringLiteral("View"));
    AddItems(view, {
                       {&T::List1, "List1", "List", &T::List1Click},
                       {&T::Detailed2, "Detailed2", "Detailed", &T::Detailed2Click},
                   });
    Radio(this, {List1, Detailed2});
    List1->setChecked(true);
    AddItems(view->addMenu(QStringLiteral("Sorting")),
             {
                 {&T::Name1, "Name1", "Name", &T::Name1Click},
                 {&T::Type1, "Type1", "Type", &T::Type1Click},
             });
    Radio(this, {Name1, Type1});
    Type1->setEnabled(false);
    AddItems(view,
             {
                 {},
                 {&T::ShortFormToggl1, "ShortFormToggl1", "Short Form", &T::ShortFormToggl1Click,
                  Qt::CTRL | Qt::Key_K},
                 {&T::ExplorerToggle2, "ExplorerToggle2", "Explorer Toggle",
                  &T::ExplorerToggle2Click, Qt::CTRL | Qt::Key_E},
                 {&T::FolderTog, "FolderTog", "Folder Interface Toggle", &T::FolderTogClick,
                  Qt::CTRL | Qt::Key_F},
                 {},
                 {&T::ImageBut2, "ImageBut2", "Text on Buttons", &T::ImageBut2Click, {}, Tick::On},
                 {&T::HotTrack1, "HotTrack1", "HotTrack", &T::HotTrack1Click, {}, Tick::On},
                 {&T::TitlesfromTags1,
                  "TitlesfromTags1",
                  "Titles from Tags",
                  &T::TitlesfromTags1Click,
                  {},
                  Tick::Off},
             });
    AddItems(bar->addMenu(QStringLiteral("Toolbar")), {
                                                          {&T::FunctionsToolbar1,
                                                           "FunctionsToolbar1",
                                                           "Functions Toolbar",
                                                           &T::FunctionsToolbar1Click,
                                                           {},
                                                           Tick::On},
                                                          {&T::LoadSaveToolbar1,
                                                           "LoadSaveToolbar1",
                                                           "Load/Save Toolbar",
                                                           &T::LoadSaveToolbar1Click,
                                                           {},
                                                           Tick::On},
                                                          {&T::OptionsToolbar1,
                                                           "OptionsToolbar1",
                                                           "Options Toolbar",
                                                           &T::OptionsToolbar1Click,
                                                           {},
                                                           Tick::On},
                                                      });
    // The menu title itself is the command.
    Help1 = bar->addAction(QStringLiteral("About"));
    Help1->setObjectName(QStringLiteral("Help1"));
    connect(Help1, &QAction::triggered, this, [this] { Guarded(&T::Help1Click); });
}

void TQuavrel::CreateTrayMenu() {
    using T = TQuavrel;
    TrayPopUp = new QMenu(this);
    TrayPopUp->setObjectName(QStringLiteral("TrayPopUp"));
    AddItems(
        TrayPopUp,
        {
            {&T::FIleTypeFilter1, "FIleTypeFilter1", "File Type Filtering",
             &T::FIleTypeFilter1Click},
            {},
            {&T::LoadPlayList1, "LoadPlayList1", "Load PlayList", &T::LoadPlayList1Click,
             Qt::CTRL | Qt::Key_L},
            {&T::SavePlayList1, "SavePlayList1", "Save PlayList", &T::SavePlayList1Click,
             Qt::CTRL | Qt::Key_S},
            {},
            {&T::LoopN, "LoopN", "Loop", &T::LoopNClick, {}, Tick::On},
            {&T::Shuffle1, "Shuffle1", "Shuffle", &T::Shuffle1Click, {}, Tick::Off},
            {&T::PreviewN, "PreviewN", "Preview", &T::PreviewNClick, {}, Tick::Off},
            {},
            {&T::Play1, "Play1", "Play", &T::Play1Click, Qt::Key_F7},
            {&T::Pause1, "Pause1", "Pause", &T::Pause1Click, Qt::Key_F8},
            {&T::Next, "Next", "Next", &T::NextClick, Qt::Key_F6},
            {&T::Skip, "Skip", "Previous", &T::SkipClick, Qt::Key_F5},
            {&T::StopAfterEntry2,
             "StopAfterEntry2",
             "Stop After This Entry",
             &T::StopAfterEntry1Click,
             {},
             Tick::Off},
            {&T::JumpToFile2, "JumpToFile2", "Jump to File", &T::JumpToFile2Click,
             Qt::CTRL | Qt::Key_J},
            {},
            {&T::AlwaysOnTop1, "AlwaysOnTop1", "AlwaysOnTop", &T::AlwaysOnTop1Click, {}, Tick::Off},
            {&T::Exit1, "Exit1", "Exit", &T::Exit1Click},
        });
    // The tray menu is the window's own context menu too.
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { TrayPopUp->popup(mapToGlobal(at)); });
}

void TQuavrel::CreatePopUps() {
    using T = TQuavrel;
    ItemPopUp = new QMenu(this);
    ItemPopUp->setObjectName(QStringLiteral("ItemPopUp"));
    AddItems(ItemPopUp,
             {
                 {&T::Rename1, "Rename1", "Rename", &T::Rename, Qt::Key_F2},
                 {&T::Delete1, "Delete1", "Delete", &T::Delete1Click, Qt::Key_Delete},
                 {&T::SaveSelected, "SaveSelected", "Save Selected", &T::SaveSelectedClick},
                 {},
                 {&T::Clear1, "Clear1", "Clear", &T::Clear1Click, Qt::CTRL | Qt::Key_Delete},
             });

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    AddItems(PopupMenu1, {
                             {&T::List, "List", "List", &T::ListClick},
                             {&T::Detailed1, "Detailed1", "Detailed", &T::Detailed1Click},
                         });
    Radio(this, {List, Detailed1});
    List->setChecked(true);
    AddItems(PopupMenu1->addMenu(QStringLiteral("Sorting")),
             {
                 {&T::Name2, "Name2", "Name", &T::Name2Click},
                 {&T::Type2, "Type2", "Type", &T::Type2Click},
             });
    Radio(this, {Name2, Type2});
    Type2->setEnabled(false);
    AddItems(
        PopupMenu1,
        {
            {},
            {&T::ShortFormToggl2, "ShortFormToggl2", "Short Form", &T::ShortFormToggl1Click},
            {&T::ExplorerToggle1, "ExplorerToggle1", "Explorer Toggle", &T::ExplorerToggle1Click},
            {&T::FolderToggle1, "FolderToggle1", "Folder Toggle", &T::FolderToggle1Click},
            {},
            {&T::ImageBut, "ImageBut", "Text on Buttons", &T::ImageButClick, {}, Tick::On},
            {&T::ToggleHotTrack,
             "ToggleHotTrack",
             "HotTrack",
             &T::ToggleHotTrackClick,
             {},
             Tick::On},
            {&T::ToggleColorScheme2, "ToggleColorScheme2", "Windows Colors",
             &T::ToggleColorScheme2Click},
        });
}
