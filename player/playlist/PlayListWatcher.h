#pragma once

#include <functional>

#include "playlist/PlayList.h"

// Calls back after every change of a play list, telling whether an entry was added, moved or
// changed (its caption or selected state), which may break a caption order, or whether the
// change was a removal, a focus change or a reset. Watches the list from construction to
// destruction; the list must outlive the watcher. The callback must not throw.
class PlayListWatcher final : public PlayListObserver {
public:
    using OnChange = std::function<void(bool entryChanged)>;

    PlayListWatcher(PlayList& list, OnChange onChange)
        : list_(list), onChange_(std::move(onChange)) {
        list_.AddObserver(this);
    }
    ~PlayListWatcher() override { list_.RemoveObserver(this); }
    PlayListWatcher(const PlayListWatcher&) = delete;
    PlayListWatcher& operator=(const PlayListWatcher&) = delete;

    void EntriesInserted(int, int) override { onChange_(true); }
    void EntriesRemoved(int, int) override { onChange_(false); }
    void EntriesDeleted(const std::vector<std::pair<int, int>>&) override { onChange_(false); }
    void EntryMoved(int, int) override { onChange_(true); }
    void EntriesChanged(int, int) override { onChange_(true); }
    void FocusChanged(int, int) override { onChange_(false); }
    void Reset() override { onChange_(false); }

private:
    PlayList& list_;
    OnChange onChange_;
};
