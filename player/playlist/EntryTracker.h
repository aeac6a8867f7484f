#pragma once

#include "views/PlayList.h"

// Keeps an entry index pointing at the same entry while the play list changes around it, and
// sets it to -1 when that entry is removed (or the list is cleared or re-sorted). The main
// window's DragSourceItem is such an index. The index must outlive the tracker's registration.
class EntryTracker final : public PlayListObserver {
public:
    explicit EntryTracker(int& index) : index_(index) {}

    void EntriesInserted(int first, int count) override;
    void EntriesRemoved(int first, int count) override;
    void EntryMoved(int from, int to) override;
    void EntriesChanged(int, int) override {}
    void FocusChanged(int, int) override {}
    void Reset() override { index_ = -1; }

private:
    int& index_;
};
