// Play list editing: drops, clicks and the drag to reorder on the play list, deleting,
// clearing, moving, renaming, view styles and sorting, and the emptiness rule.
#include <QAction>
#include <QMenu>
#include <QSlider>
#include <QToolButton>

#include "PlaybackWidgets.h"
#include "TQuavrel.h"
#include "media/MediaDevice.h"
#include "playback/Sequencer.h"
#include "playlist/FileAdder.h"
#include "playlist/PlayListEditor.h"
#include "views/TFileView.h"

namespace {

// Captions in the locale's order, letter case distinguished.
bool CaptionBefore(const PlayListEntry& a, const PlayListEntry& b) {
    return QString::fromStdString(a.Caption).localeAwareCompare(QString::fromStdString(b.Caption)) <
           0;
}

bool SortedByCaption(const PlayList& list) {
    for (int i = 1; i < list.Count(); ++i)
        if (CaptionBefore(list.At(i), list.At(i - 1)))
            return false;
    return true;
}

}  // namespace

void TQuavrel::KeepSorted() {
    sortPending_ = false;
    if (!sortByName_ || SortedByCaption(playList_))
        return;
    // PlayIndex keeps naming its entry. The sort is stable: the entry lands after every entry
    // that sorts before it and every equal one that stood before it.
    const int played = state_.PlayIndex;
    int landing = -1;
    if (played >= 0 && played < playList_.Count()) {
        const PlayListEntry& entry = playList_.At(played);
        landing = 0;
        for (int i = 0; i < playList_.Count(); ++i) {
            const PlayListEntry& other = playList_.At(i);
            if (CaptionBefore(other, entry) || (i < played && !CaptionBefore(entry, other)))
                ++landing;
        }
    }
    playList_.Sort(&CaptionBefore);
    if (landing >= 0)
        state_.PlayIndex = landing;
}

void TQuavrel::FileListChange() {
    const bool wasEnabled = Play->isEnabled();
    if (playList_.Empty()) {
        Play->setEnabled(false);
        playbackWidgets_->SetLcdCaption("   ");
        TrackBar->setRange(0, 0);
        TrackBar->setValue(0);
        setWindowTitle(QString::fromLatin1(Sequencer::IdleCaption));
    } else {
        Play->setEnabled(true);
    }
    const bool enabled = Play->isEnabled();
    if (enabled == wasEnabled)
        return;
    for (QWidget* w :
         std::initializer_list<QWidget*>{Pause, NextS, PrevS, TBDelete, Clear, MoveBack, MoveFwd,
                                         Save, Play3, Stop3, NextS3, PrevS3, TrackBar})
        w->setEnabled(enabled);
    static_cast<QMenu*>(DeleteSelected1->parent())->menuAction()->setEnabled(enabled);
    for (QAction* a :
         {Save1, NextSong1, PrevSong1, Play2, Pause2, SavePlayList1, Pause1, Next, Skip})
        a->setEnabled(enabled);
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
