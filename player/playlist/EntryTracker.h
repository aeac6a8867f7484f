#pragma once

#include "playlist/PlayList.h"

// Keeps an entry index pointing at the same entry while the play list changes around it, and
// sets it to -1 when that entry is removed (or the list is cleared or re-sorted). The main
// window's DragSourceItem is such an index. Watches the list from construction to destruction;
// the list and the index must outlive the tracker.
class EntryTracker final : public PlayListObserver {
public:
    EntryTracker(PlayList& list, int& index) : list_(list), index_(index) {
        list_.AddObserver(this);
    }
    ~EntryTracker() override { list_.RemoveObserver(this); }
    EntryTracker(const EntryTracker&) = delete;
    EntryTracker& operator=(const EntryTracker&) = delete;

    void EntriesInserted(int first, int count) override;
    void EntriesRemoved(int first, int count) override;
    void EntryMoved(int from, int to) override;
    void EntriesChanged(int, int) override {}
    void FocusChanged(int, int) override {}
    void Reset() override { index_ = -1; }

private:
    PlayList& list_;
    int& index_;
};
