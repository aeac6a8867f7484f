#pragma once

#include "views/TFileListView.h"

class PlayList;
class PlayListItemModel;

// The play list view (the main window's FileList): shows a PlayList in the columns "Name"
// (200), "Type" (150) and "Path" (500) and mirrors its selected and focused marks both ways.
// It stores nothing of its own: AddFile appends to the PlayList, which every other part of the
// player reads and changes. The list must outlive the view.
class TFileView : public TFileListView {
    Q_OBJECT

public:
    TFileView(PlayList& list, ShellInfo& shell, FileAdder::FilterTest passesFilter,
              QWidget* parent = nullptr);
    ~TFileView() override;

    PlayList& Items() const { return list_; }
    int Count() const override;
    std::string PathOf(int index) const override;

    // The report style's column widths in pixels (the design's Columns).
    int ColumnWidth(int column) const;
    void SetColumnWidth(int column, int width);

protected:
    int AppendEntry(PlayListEntry entry) override;

private:
    PlayList& list_;
    PlayListItemModel* model_;
};
