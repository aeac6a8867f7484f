// Play order and transport: the buttons and the preview length, the transport commands and
// their twins, the three modes. The order rules themselves are the Sequencer's.
#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QSlider>
#include <QToolButton>

#include "ControlStates.h"
#include "ModeStrip.h"
#include "PlaybackWidgets.h"
#include "TQuavrel.h"
#include "filter/FileTypeFilter.h"
#include "playback/Sequencer.h"
#include "playlist/EntryTracker.h"
#include "playlist/FileAdder.h"
#include "playlist/PlayListEditor.h"
#include "playlist/PlayListWatcher.h"
#include "services/QtShellInfo.h"
#include "views/TFileView.h"

namespace {

// Reports mouse presses on a widget that has no clicked signal (the preview length box).
class PressFilter final : public QObject {
public:
    PressFilter(QObject* parent, std::function<void()> onPress)
        : QObject(parent), onPress_(std::move(onPress)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress)
            onPress_();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> onPress_;
};

}  // namespace

void TQuavrel::CreateTransport() {
    using T = TQuavrel;
    shellInfo_ = std::make_unique<QtShellInfo>(QDir::homePath().toStdString());
    adder_ = std::make_unique<FileAdder>(*shellInfo_, [this](const std::string& path) {
        return PassesFilter(path, state_.FilterList.get(), state_.FilteringOn);
    });
    const struct {
        QToolButton* TQuavrel::*button;
        const char* name;
        const char* caption;
        const char* hint;
        void (TQuavrel::*handler)();
    } buttons[] = {
        {&T::Play, "Play", "Play", "Play Selected File", &T::PlayClick},
        {&T::Pause, "Pause", "Stop", "Stop/Pause Playing", &T::PauseClick},
        {&T::PrevS, "PrevS", "Prev", "Previous", &T::PrevSClick},
        {&T::NextS, "NextS", "Next", "Skip to Next", &T::NextSClick},
        {&T::Play3, "Play3", "Play", "Play Selected File", &T::Play1Click},
        {&T::Stop3, "Stop3", "Stop", "Stop/Pause Playing", &T::Pause1Click},
        {&T::PrevS3, "PrevS3", "Prev", "Previous", &T::PrevSClick},
        {&T::NextS3, "NextS3", "Next", "Skip to Next", &T::NextSClick},
        {&T::TBDelete, "TBDelete", "Delete", "Delete Selections", &T::TBDeleteClick},
        {&T::MoveBack, "MoveBack", "Back", "Move File Backward in PlayList", &T::MoveBackClick},
        {&T::MoveFwd, "MoveFwd", "Fwd", "Move File Forward in PlayList", &T::MoveFwdClick},
        {&T::Clear, "Clear", "Clear", "Clear the PlayList", &T::ClearClick},
        {&T::Load, "Load", "Load", "Load a Playlist", &T::LoadClick},
        {&T::Save, "Save", "Save", "Save Current List as PlayList", &T::SaveClick},
    };
    for (const auto& spec : buttons) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(spec.name));
        b->setText(QString::fromLatin1(spec.caption));
        b->setToolTip(QString::fromLatin1(spec.hint));
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        const auto handler = spec.handler;
        connect(b, &QToolButton::clicked, this, [this, handler] { Guarded(handler); });
        this->*spec.button = b;
    }
    CreateModeStrip();

    TrackBar = new QSlider(Qt::Horizontal, this);
    TrackBar->setObjectName(QStringLiteral("TrackBar"));
    TrackBar->setRange(0, 255);
    TrackBar->setSingleStep(1);
    TrackBar->setTickPosition(QSlider::NoTicks);
    // Only the user's moves seek: positions the program sets do not come back here.
    connect(TrackBar, &QSlider::actionTriggered, this, [this] {
        Guarded(&T::TrackBarChange);
        if (afterSeek_)
            afterSeek_();
    });

    // CreateLayout places every control in its toolbar; the short form's twins start hidden.
    for (QWidget* w : {Play3, Stop3, PrevS3, NextS3})
        w->hide();
}

void TQuavrel::CreateModeStrip() {
    using T = TQuavrel;
    Panel3 = new ModeStrip(this);
    Shuffle = Panel3->Shuffle();
    TBLoop = Panel3->TBLoop();
    TBPlayMode = Panel3->TBPlayMode();
    PMLen = Panel3->PMLen();
    ToolbarButton972 = Panel3->ToolbarButton972();
    ShortForm = Panel3->ShortForm();
    LedS = Panel3->LeftLamp(0);
    LedL = Panel3->LeftLamp(1);
    LedP = Panel3->LeftLamp(2);
    const std::pair<QToolButton*, void (TQuavrel::*)()> clicks[] = {
        {Shuffle, &T::ShuffleClick},
        {TBLoop, &T::TBLoopClick},
        {TBPlayMode, &T::TBPlayModeClick},
        {ToolbarButton972, &T::ToolbarButton972Click},
        {ShortForm, &T::ShortFormToggl1Click}};
    for (const auto& [button, handler] : clicks)
        connect(button, &QToolButton::clicked, this, [this, handler] { Guarded(handler); });
    connect(PMLen, &QLineEdit::textChanged, this, [this] { Guarded(&T::PMLenChange); });
    PMLen->installEventFilter(new PressFilter(PMLen, [this] { Guarded(&T::PMLenClick); }));
}

void TQuavrel::CreatePlayListView() {
    using T = TQuavrel;
    FileList = new TFileView(
        playList_, *shellInfo_,
        [this](const std::string& path) {
            return PassesFilter(path, state_.FilterList.get(), state_.FilteringOn);
        },
        this);
    FileList->setObjectName(QStringLiteral("FileList"));
    FileList->SetViewStyle(TViewStyle::vsList);
    FileList->SetReadOnly(false);
    FileList->SetAcceptFiles(true);
    FileList->SetHint(QStringLiteral("Drag and drop files from other Dialogs into this area"));
    FileList->setCursor(Qt::PointingHandCursor);
    FileList->SetHotTrack(true);
    FileList->OnFileDrop = [this](const std::vector<std::string>& files, int x, int y) {
        Guarded([&] { FileListFileDrop(files, x, y); });
    };
    FileList->OnDblClick = [this] {
        afterDblClick_ = true;
        Guarded(&T::FileListDblClick);
    };
    FileList->OnMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
        Guarded([&] { FileListMouseDown(b, x, y); });
    };
    FileList->OnMouseUp = [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
        Guarded([&] {
            // A press and release on the same place is a click; a release elsewhere ends a drag.
            const bool click = b == Qt::LeftButton && !afterDblClick_ &&
                               FileList->ItemAt(x, y) == state_.DragSourceItem;
            afterDblClick_ = false;
            FileListMouseUp(b, x, y);
            if (click)
                FileListClick();
        });
    };
    FileList->OnColumnClick = [this](int column) { Guarded([&] { FileListColumnClick(column); }); };
    FileList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FileList, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { ItemPopUp->popup(FileList->mapToGlobal(at)); });
    if (!centralWidget())
        setCentralWidget(FileList);
}

void TQuavrel::CreateLogic() {
    playbackWidgets_ = std::make_unique<PlaybackWidgets>(
        PlaybackWidgets::Parts{*this, *TrayIcon, *TrackBar, *PMLen, LCDLabel1, LedS, LedL, LedP});
    controls_ = std::make_unique<ControlStates>(ControlStates::Parts{
        *Play,
        *Pause,
        *NextS,
        *PrevS,
        *TrackBar,
        {Save, Play3, Stop3, NextS3, PrevS3},
        {TBDelete, Clear, MoveBack, MoveFwd},
        {static_cast<QMenu*>(DeleteSelected1->parent())->menuAction(), Save1, NextSong1, PrevSong1,
         Play2, Pause2, SavePlayList1, Pause1, Next, Skip},
        {Open1, LoadPlayList1, DeleteSelected1, ClearPlayList1, MoveBack1, MoveFwd1, Delete1,
         Clear1},
        *Load,
        *FileList,
        {*Shuffle2, *Shuffle1},
        {*Loop1, *LoopN},
        {*Preview1, *PreviewN},
        *PMLen,
        *playbackWidgets_});
    controls_->StartState();
    controls_->ShowPreview(false);
    sequencer_ = std::make_unique<Sequencer>(state_, playList_, MediaPlayer1, *playbackWidgets_,
                                             services_.clock);
    editor_ = std::make_unique<PlayListEditor>(state_, playList_, MediaPlayer1);
    dragTracker_ = std::make_unique<EntryTracker>(playList_, state_.DragSourceItem);
    CreateTagCaptions();
    listWatcher_ = std::make_unique<PlayListWatcher>(playList_, [this](bool entryChanged) {
        if (entryChanged && sortByName_ && !sortPending_) {
            // Settled after the change, or earlier by a command that needs the order.
            sortPending_ = true;
            QMetaObject::invokeMethod(
                this, [this] { KeepSorted(); }, Qt::QueuedConnection);
        }
        // A change to an entry runs the emptiness rule, as the view reports it. A removal that
        // empties the list runs it too, so no command is left enabled on an empty list.
        if (entryChanged || (playList_.Empty() && controls_->CanPlay()))
            FileListChange();
    });
}

void TQuavrel::OpenAndPlay() {
    sequencer_->OpenAndPlay();
}

void TQuavrel::PlayFile() {
    sequencer_->PlayFile();
}

void TQuavrel::NextSClick() {
    KeepSorted();
    sequencer_->NextSClick();
}

void TQuavrel::PrevSClick() {
    KeepSorted();
    sequencer_->PrevSClick();
}

void TQuavrel::PlayClick() {
    KeepSorted();
    sequencer_->PlayClick();
}

void TQuavrel::PauseClick() {
    sequencer_->PauseClick();
}

void TQuavrel::MediaPlayer1Notify() {
    KeepSorted();
    sequencer_->MediaPlayer1Notify();
    ShowStopAfterEntry();  // it clears itself once used
}

void TQuavrel::ShuffleClick() {
    sequencer_->ShuffleClick();
    controls_->ShowShuffle(state_.ShuffleOn == 1);
}

void TQuavrel::TBLoopClick() {
    sequencer_->TBLoopClick();
    controls_->ShowLoop(state_.LoopOn == 1);
}

void TQuavrel::TBPlayModeClick() {
    const bool previewing = state_.PlayMode != 1;
    state_.PlayMode = previewing ? 1 : 0;
    controls_->ShowPreview(previewing);
    if (previewing)
        state_.PreviewTicks = 0;
}

void TQuavrel::Play1Click() {
    PlayClick();
}

void TQuavrel::Play2Click() {
    PlayClick();
}

void TQuavrel::Pause1Click() {
    PauseClick();
}

void TQuavrel::Pause2Click() {
    PauseClick();
}

void TQuavrel::NextClick() {
    NextSClick();
}

void TQuavrel::NextSong1Click() {
    NextSClick();
}

void TQuavrel::SkipClick() {
    PrevSClick();
}

void TQuavrel::PrevSong1Click() {
    PrevSClick();
}

void TQuavrel::Shuffle1Click() {
    ShuffleClick();
}

void TQuavrel::Shuffle2Click() {
    Shuffle1Click();
}

void TQuavrel::LoopNClick() {
    TBLoopClick();
}

void TQuavrel::Loop1Click() {
    LoopNClick();
}

void TQuavrel::PreviewNClick() {
    TBPlayModeClick();
}

void TQuavrel::Preview1Click() {
    PreviewNClick();
}

void TQuavrel::PMLenChange() {
    sequencer_->PMLenChange();
}

void TQuavrel::PMLenClick() {
    sequencer_->PMLenChange();
}
