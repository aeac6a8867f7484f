// "Jump to File": the small window that finds an entry by typed words and plays it.
#include "TQuavrel.h"
#include "views/JumpToFileBox.h"
#include "views/TFileView.h"

void TQuavrel::JumpToFile1Click() {
    if (JumpToFileBox_ == nullptr) {
        JumpToFileBox_ = new JumpToFileBox(playList_, this);
        JumpToFileBox_->OnPlay = [this](int index) { Guarded([&] { PlayEntry(index); }); };
    }
    JumpToFileBox_->Open();
}

void TQuavrel::JumpToFile2Click() {
    JumpToFile1Click();
}

void TQuavrel::PlayEntry(int index) {
    if (!playList_.Contains(index))
        return;
    // As a click and a double-click on the entry would: it alone selected, focused, played.
    playList_.SelectOnly(index);
    playList_.Focus(index);
    FileList->ScrollTo(index);
    FileListDblClick();
}
