#pragma once

#include <QLabel>

#include "playlist/PlayList.h"

// The status line below the play list: the number of entries and how long they play together,
// and the selection's figures when more than one entry is selected (PlayListTotals). A burst
// of changes (a load, a batch of tags, a drag over the selection) is counted once, when the
// event loop next runs. Watches the list from construction to destruction; the list must
// outlive it. User-interface thread only.
class PlayListStatus : public QLabel, private PlayListObserver {
public:
    explicit PlayListStatus(PlayList& list, QWidget* parent = nullptr);
    ~PlayListStatus() override;

    // Counts now rather than later (tests, and the first showing).
    void Refresh();

private:
    void EntriesInserted(int, int) override { RefreshLater(); }
    void EntriesRemoved(int, int) override { RefreshLater(); }
    void EntriesDeleted(const std::vector<std::pair<int, int>>&) override { RefreshLater(); }
    void EntryMoved(int, int) override {}
    void EntriesChanged(int, int) override { RefreshLater(); }
    void FocusChanged(int, int) override {}
    void Reset() override { RefreshLater(); }
    void RefreshLater();

    PlayList& list_;
    bool pending_ = false;
};
