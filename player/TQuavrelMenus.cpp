// The menus: the main menu bar, the tray menu (also the window's context menu), the play list's
// item menu and the "View" button's drop-down, each item bound to its handler.
#include <QActionGroup>
#include <QMenuBar>

#include "TQuavrel.h"

QAction* TQuavrel::AddItem(QMenu* menu, const char* caption, void (TQuavrel::*handler)(),
                           const QKeySequence& shortcut) {
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, [this, handler] { Guarded(handler); });
    return action;
}

namespace {

QAction* Ticked(QAction* action, bool checked) {
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

void Radio(QObject* owner, std::initializer_list<QAction*> actions) {
    auto* group = new QActionGroup(owner);
    group->setExclusive(true);
    for (QAction* action : actions) {
        action->setCheckable(true);
        group->addAction(action);
    }
}

}  // namespace

void TQuavrel::CreateMenus() {
    using T = TQuavrel;
    QMenuBar* bar = menuBar();

    QMenu* playList = bar->addMenu(QStringLiteral("PlayList"));
    Open1 = AddItem(playList, "Load PlayList", &T::Open1Click, QKeySequence(Qt::CTRL | Qt::Key_L));
    Save1 = AddItem(playList, "Save PlayList", &T::Save1Click, QKeySequence(Qt::CTRL | Qt::Key_S));
    SaveSelected1 = AddItem(playList, "Save Selected", &T::SaveSelected1Click);
    playList->addSeparator();
    FileTypes1 = AddItem(playList, "FileType Filtering", &T::FileTypes1Click);
    ResetQuavrel1 = AddItem(playList, "Reset Quavrel", &T::ResetQuavrel1Click);
    playList->addSeparator();
    Exit2 = AddItem(playList, "Exit", &T::Exit2Click, QKeySequence(Qt::CTRL | Qt::Key_X));

    QMenu* edit = bar->addMenu(QStringLiteral("Edit"));
    DeleteSelected1 =
        AddItem(edit, "Delete Selected", &T::DeleteSelected1Click, QKeySequence(Qt::Key_Delete));
    ClearPlayList1 = AddItem(edit, "Clear PlayList", &T::ClearPlayList1Click,
                             QKeySequence(Qt::CTRL | Qt::Key_Delete));
    edit->addSeparator();
    MoveBack1 = AddItem(edit, "Move Back", &T::MoveBack1Click, QKeySequence(Qt::CTRL | Qt::Key_Q));
    MoveFwd1 = AddItem(edit, "Move Fwd", &T::MoveFwd1Click, QKeySequence(Qt::CTRL | Qt::Key_Z));
    edit->addSeparator();
    RenameFileinPlayList1 =
        AddItem(edit, "Edit Caption", &T::RenameFileinPlayList1Click, QKeySequence(Qt::Key_F2));

    QMenu* sequence = bar->addMenu(QStringLiteral("Sequence"));
    NextSong1 = AddItem(sequence, "Next", &T::NextSong1Click, QKeySequence(Qt::Key_F6));
    PrevSong1 = AddItem(sequence, "Prev", &T::PrevSong1Click, QKeySequence(Qt::Key_F5));
    Play2 = AddItem(sequence, "Play", &T::Play2Click, QKeySequence(Qt::Key_F7));
    Pause2 = AddItem(sequence, "Pause", &T::Pause2Click, QKeySequence(Qt::Key_F8));
    sequence->addSeparator();
    Loop1 = Ticked(AddItem(sequence, "Loop", &T::Loop1Click), true);
    Shuffle2 = Ticked(AddItem(sequence, "Shuffle", &T::Shuffle2Click), false);
    Preview1 = Ticked(AddItem(sequence, "Preview", &T::Preview1Click), false);

    QMenu* view = bar->addMenu(QStringLiteral("View"));
    List1 = AddItem(view, "List", &T::List1Click);
    Detailed2 = AddItem(view, "Detailed", &T::Detailed2Click);
    Radio(this, {List1, Detailed2});
    List1->setChecked(true);
    QMenu* sorting = view->addMenu(QStringLiteral("Sorting"));
    Name1 = AddItem(sorting, "Name", &T::Name1Click);
    Type1 = AddItem(sorting, "Type", &T::Type1Click);
    Radio(this, {Name1, Type1});
    Type1->setEnabled(false);
    view->addSeparator();
    ShortFormToggl1 =
        AddItem(view, "Short Form", &T::ShortFormToggl1Click, QKeySequence(Qt::CTRL | Qt::Key_K));
    ExplorerToggle2 = AddItem(view, "Explorer Toggle", &T::ExplorerToggle2Click,
                              QKeySequence(Qt::CTRL | Qt::Key_E));
    FolderTog = AddItem(view, "Folder Interface Toggle", &T::FolderTogClick,
                        QKeySequence(Qt::CTRL | Qt::Key_F));
    view->addSeparator();
    ImageBut2 = Ticked(AddItem(view, "Text on Buttons", &T::ImageBut2Click), true);
    HotTrack1 = Ticked(AddItem(view, "HotTrack", &T::HotTrack1Click), true);

    QMenu* toolbar = bar->addMenu(QStringLiteral("Toolbar"));
    FunctionsToolbar1 =
        Ticked(AddItem(toolbar, "Functions Toolbar", &T::FunctionsToolbar1Click), true);
    LoadSaveToolbar1 =
        Ticked(AddItem(toolbar, "Load/Save Toolbar", &T::LoadSaveToolbar1Click), true);
    OptionsToolbar1 = Ticked(AddItem(toolbar, "Options Toolbar", &T::OptionsToolbar1Click), true);

    // The menu title itself is the command.
    Help1 = bar->addAction(QStringLiteral("About"));
    connect(Help1, &QAction::triggered, this, [this] { Guarded(&T::Help1Click); });

    TrayPopUp = new QMenu(this);
    FIleTypeFilter1 = AddItem(TrayPopUp, "File Type Filtering", &T::FIleTypeFilter1Click);
    TrayPopUp->addSeparator();
    LoadPlayList1 = AddItem(TrayPopUp, "Load PlayList", &T::LoadPlayList1Click,
                            QKeySequence(Qt::CTRL | Qt::Key_L));
    SavePlayList1 = AddItem(TrayPopUp, "Save PlayList", &T::SavePlayList1Click,
                            QKeySequence(Qt::CTRL | Qt::Key_S));
    TrayPopUp->addSeparator();
    LoopN = Ticked(AddItem(TrayPopUp, "Loop", &T::LoopNClick), true);
    Shuffle1 = Ticked(AddItem(TrayPopUp, "Shuffle", &T::Shuffle1Click), false);
    PreviewN = Ticked(AddItem(TrayPopUp, "Preview", &T::PreviewNClick), false);
    TrayPopUp->addSeparator();
    Play1 = AddItem(TrayPopUp, "Play", &T::Play1Click, QKeySequence(Qt::Key_F7));
    Pause1 = AddItem(TrayPopUp, "Pause", &T::Pause1Click, QKeySequence(Qt::Key_F8));
    Next = AddItem(TrayPopUp, "Next", &T::NextClick, QKeySequence(Qt::Key_F6));
    Skip = AddItem(TrayPopUp, "Previous", &T::SkipClick, QKeySequence(Qt::Key_F5));
    TrayPopUp->addSeparator();
    AlwaysOnTop1 = Ticked(AddItem(TrayPopUp, "AlwaysOnTop", &T::AlwaysOnTop1Click), false);
    Exit1 = AddItem(TrayPopUp, "Exit", &T::Exit1Click);
    // The tray menu is the window's own context menu too.
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { TrayPopUp->popup(mapToGlobal(at)); });

    ItemPopUp = new QMenu(this);
    Rename1 = AddItem(ItemPopUp, "Rename", &T::Rename, QKeySequence(Qt::Key_F2));
    Delete1 = AddItem(ItemPopUp, "Delete", &T::Delete1Click, QKeySequence(Qt::Key_Delete));
    SaveSelected = AddItem(ItemPopUp, "Save Selected", &T::SaveSelectedClick);
    ItemPopUp->addSeparator();
    Clear1 = AddItem(ItemPopUp, "Clear", &T::Clear1Click, QKeySequence(Qt::CTRL | Qt::Key_Delete));

    PopupMenu1 = new QMenu(this);
    List = AddItem(PopupMenu1, "List", &T::ListClick);
    Detailed1 = AddItem(PopupMenu1, "Detailed", &T::Detailed1Click);
    Radio(this, {List, Detailed1});
    List->setChecked(true);
    QMenu* sorting2 = PopupMenu1->addMenu(QStringLiteral("Sorting"));
    Name2 = AddItem(sorting2, "Name", &T::Name2Click);
    Type2 = AddItem(sorting2, "Type", &T::Type2Click);
    Radio(this, {Name2, Type2});
    Type2->setEnabled(false);
    PopupMenu1->addSeparator();
    ShortFormToggl2 = AddItem(PopupMenu1, "Short Form", &T::ShortFormToggl1Click);
    ExplorerToggle1 = AddItem(PopupMenu1, "Explorer Toggle", &T::ExplorerToggle1Click);
    FolderToggle1 = AddItem(PopupMenu1, "Folder Toggle", &T::FolderToggle1Click);
    PopupMenu1->addSeparator();
    ImageBut = Ticked(AddItem(PopupMenu1, "Text on Buttons", &T::ImageButClick), true);
    ToggleHotTrack = Ticked(AddItem(PopupMenu1, "HotTrack", &T::ToggleHotTrackClick), true);
    ToggleColorScheme2 = AddItem(PopupMenu1, "Windows Colors", &T::ToggleColorScheme2Click);
}
