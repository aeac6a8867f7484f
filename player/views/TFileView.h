#pragma once

#include <array>
#include <functional>
#include <utility>

#include "views/PlayListColumns.h"
#include "views/TFileListView.h"

class PlayList;
class PlayListItemModel;
class QMenu;

// The play list view (the main window's FileList): shows a PlayList and mirrors its selected
// and focused marks both ways. In the report style ("Detailed") it shows the columns of
// PlayListColumns.h: a right click on the header shows, hides and moves them, a drag moves
// them, a click on a column's header asks OnColumnClick to sort. It stores nothing of its own:
// AddFile appends to the PlayList, which every other part of the player reads and changes.
// The list must outlive the view.
class TFileView : public TFileListView {
    Q_OBJECT

public:
    TFileView(PlayList& list, ShellInfo& shell, FileAdder::FilterTest passesFilter,
              QWidget* parent = nullptr);
    ~TFileView() override;

    PlayList& Items() const { return list_; }
    int Count() const override;
    std::string PathOf(int index) const override;

    // The report style's column widths in pixels (the design's Columns), by PlayListColumn.
    int ColumnWidth(int column) const;
    void SetColumnWidth(int column, int width);
    // Which columns show, in which order, how wide: as the user left them.
    ColumnLayout Columns() const;
    void SetColumns(const ColumnLayout& layout);
    // Shows or hides one column; the last column shown stays.
    void ShowColumn(PlayListColumn column, bool shown);
    // Moves a shown column one place to the left (-1) or right (+1) among the shown ones.
    void MoveColumn(PlayListColumn column, int step);
    // The header's arrow on column, or none (column < 0).
    void SetSortIndicator(int column, bool descending);
    // Brings an entry into sight.
    void ScrollTo(int index);
    // The header's menu of columns for the column at section (or -1); for the right click and
    // for tests. The caller owns it.
    QMenu* ColumnMenu(int section);

    // A click on the header of column (a PlayListColumn).
    std::function<void(int column)> OnColumnClick;
    // The rows on screen, first..last (none: first > last), after a scroll, a resize, a new
    // style or new rows; told once per turn of the event loop, however many changes.
    std::function<void(int first, int last)> OnRowsShown;
    // The rows on screen now, in the style shown.
    std::pair<int, int> RowsShown() const;
    void SetViewStyle(TViewStyle style) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    int AppendEntry(PlayListEntry entry) override;

private:
    void TellRowsShownLater();

    PlayList& list_;
    PlayListItemModel* model_;
    // Every column's width as last shown: a hidden section reads as 0 wide in the header.
    std::array<int, kPlayListColumnCount> widths_{};
    bool rowsShownPending_ = false;
};
