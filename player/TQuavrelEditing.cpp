// Play list editing: drops, clicks and the drag to reorder on the play list, deleting,
// clearing, moving, renaming, view styles and sorting, and the emptiness rule.
#include <QAction>
#include <QMenu>
#include <QSlider>
#include <QToolButton>

#include "ControlStates.h"
#include "PlaybackWidgets.h"
#include "TQuavrel.h"
#include "media/MediaDevice.h"
#include "playback/Sequencer.h"
#include "playlist/FileAdder.h"
#include "playlist/PlayListEditor.h"
#include "views/CaptionOrder.h"
#include "views/TFileView.h"

void TQuavrel::KeepSorted() {
    sortPending_ = false;
    // PlayIndex keeps naming the entry it named (see docs/ARCHITECTURE.md, "Decisions").
    if (sortByName_)
        CaptionOrder::Sort(playList_, state_.PlayIndex);
}

void TQuavrel::FileListChange() {
    if (playList_.Empty()) {
        playbackWidgets_->SetLcdCaption("   ");
        TrackBar->setRange(0, 0);
        TrackBar->setValue(0);
        setWindowTitle(QString::fromLatin1(Sequencer::IdleCaption));
    }
    controls_->FollowEmptiness(!playList_.Empty());
}

void TQuavrel::FileListFileDrop(const std::vector<std::string>& files, int, int) {
    LongWork("Adding files", [&](const std::function<bool(int)>&) { AppendFiles(files, true); });
}

void TQuavrel::FileListDblClick() {
    FileList->SetHint({});
    if (playList_.SelectedCount() == 0)
        return;
    const int focused = playList_.Focused();
    if (focused < 0)
        return;
    MediaPlayer1.SetFileName(playList_.At(focused).Path);
    state_.PlayIndex = focused;
    OpenAndPlay();
}

void TQuavrel::FileListClick() {
    FileList->SetHint({});
    if (HotTrack1->isChecked())
        FileListDblClick();
}

void TQuavrel::FileListMouseDown(Qt::MouseButton button, int x, int y) {
    const bool overEntry = editor_->MouseDown(FileList->ItemAt(x, y), button == Qt::RightButton);
    for (QAction* a : {Rename1, Delete1, SaveSelected})
        a->setEnabled(overEntry);
}

void TQuavrel::FileListMouseUp(Qt::MouseButton, int x, int y) {
    editor_->MouseUp(FileList->ItemAt(x, y));
    KeepSorted();
}

void TQuavrel::TBDeleteClick() {
    editor_->DeleteSelected();
    if (playList_.Empty())
        FileListChange();
}

void TQuavrel::ClearClick() {
    editor_->Clear();
    FileListChange();
}

void TQuavrel::MoveBackClick() {
    editor_->MoveBack();
    KeepSorted();
}

void TQuavrel::MoveFwdClick() {
    editor_->MoveFwd();
    KeepSorted();
}

void TQuavrel::DeleteSelected1Click() {
    TBDeleteClick();
}

void TQuavrel::ClearPlayList1Click() {
    ClearClick();
}

void TQuavrel::MoveBack1Click() {
    MoveBackClick();
}

void TQuavrel::MoveFwd1Click() {
    MoveFwdClick();
}

void TQuavrel::RenameFileinPlayList1Click() {
    const int focused = playList_.Focused();
    if (focused < 0)
        return;
    FileList->setFocus();
    FileList->EditCaption(focused);
}

void TQuavrel::Rename() {
    RenameFileinPlayList1Click();
}

void TQuavrel::Delete1Click() {
    TBDeleteClick();
}

void TQuavrel::Clear1Click() {
    ClearClick();
}

void TQuavrel::ListClick() {
    FileList->SetViewStyle(TViewStyle::vsList);
    List1->setChecked(true);
    List->setChecked(true);
    Detailed2->setChecked(false);
    Detailed1->setChecked(false);
}

void TQuavrel::Detailed1Click() {
    FileList->SetViewStyle(TViewStyle::vsReport);
    Detailed2->setChecked(true);
    Detailed1->setChecked(true);
    List1->setChecked(false);
    List->setChecked(false);
}

void TQuavrel::List1Click() {
    ListClick();
}

void TQuavrel::Detailed2Click() {
    Detailed1Click();
}

void TQuavrel::Name2Click() {
    // The item's own trigger has already flipped its tick: the state before the click decides.
    const bool wasOn = sortByName_;
    sortByName_ = !wasOn;
    Name1->setChecked(sortByName_);
    Name2->setChecked(sortByName_);
    if (sortByName_) {
        Type1->setChecked(false);
        Type2->setChecked(false);
        KeepSorted();
    }
}

void TQuavrel::Name1Click() {
    Name2Click();
}

void TQuavrel::Type1Click() {}

void TQuavrel::Type2Click() {}
