#pragma once

#include "playlist/PlayList.h"
#include "views/CaptionTableModel.h"

class QItemSelection;
class QItemSelectionModel;

// The play list as a Qt model with the columns of PlayListColumns.h ("Name", "Type", "Path",
// then the tags' "Length", "Title", ...; hidden or reordered by the view). It stores nothing:
// rows are read from the PlayList, and the selection model attached to it mirrors the list's
// selected and focused marks both ways (the user's clicks are written into the list, the
// list's changes shown). User-interface thread only.
class PlayListItemModel : public CaptionTableModel, private PlayListObserver {
public:
    // list and owner must outlive the model.
    PlayListItemModel(PlayList& list, TFileListView& owner, QObject* parent = nullptr);
    ~PlayListItemModel() override;

    void AttachSelection(QItemSelectionModel* selection);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    bool HasRow(int row) const override;
    void StoreCaption(int row, std::string caption) override;

    void EntriesInserted(int first, int count) override;
    void EntriesRemoved(int first, int count) override;
    void EntriesDeleted(const std::vector<std::pair<int, int>>& runs) override;
    void EntryMoved(int from, int to) override;
    void EntriesChanged(int first, int last) override;
    void TagsChanged(int first, int last) override;
    void FocusChanged(int previous, int current) override;
    void Reset() override;

    // The list's marks of rows first..last shown in the selection model (only the marked
    // rows when selectedOnly: the others are known to be unselected there), and its focus.
    void ShowMarks(int first, int last, bool selectedOnly = false);
    void ShowFocus();
    void SelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    void CurrentChanged(const QModelIndex& current);

    PlayList& list_;
    QItemSelectionModel* selection_ = nullptr;
    bool mirroring_ = false;  // the selection model is being changed from the list
};
