// The play list's "Detailed" columns and the settings of quavrel.conf that go with them, the
// status line below the list, and captions made from tags.
#include <QAction>

#include "TQuavrel.h"
#include "views/ColumnOrder.h"
#include "views/PlayListColumns.h"
#include "views/TFileView.h"

namespace {

constexpr std::string_view kColumnsOrder = "columns.order";
constexpr std::string_view kColumnsWidths = "columns.widths";
constexpr std::string_view kTitlesFromTags = "titles.fromtags";

}  // namespace

void TQuavrel::ApplyLinuxSettings() {
    FileList->SetColumns(
        ColumnLayout::Parse(linuxSettings_.Get(kColumnsOrder), linuxSettings_.Get(kColumnsWidths)));
    TitlesfromTags1->setChecked(linuxSettings_.GetBool(kTitlesFromTags, false));
}

void TQuavrel::StoreLinuxSettings() {
    const ColumnLayout columns = FileList->Columns();
    linuxSettings_.Set(kColumnsOrder, columns.OrderText());
    linuxSettings_.Set(kColumnsWidths, columns.WidthsText());
    linuxSettings_.SetBool(kTitlesFromTags, TitlesfromTags1->isChecked());
}

void TQuavrel::TitlesfromTags1Click() {
    // The item's own trigger has flipped its tick; the captions change as tags arrive.
}

void TQuavrel::FileListColumnClick(int column) {
    if (column < 0 || column >= kPlayListColumnCount)
        return;
    // A second click on the same header reverses the order.
    sortDescending_ = column == sortColumn_ && !sortDescending_;
    sortColumn_ = column;
    const auto sortBy = static_cast<PlayListColumn>(column);
    // Sorting by name would put the list back in caption order at its next change: any other
    // order switches it off, as a click on its ticked item does.
    if (sortByName_ && (sortBy != PlayListColumn::Name || sortDescending_))
        Name2Click();
    ColumnOrder::Sort(playList_, sortBy, sortDescending_, state_.PlayIndex);
    FileList->SetSortIndicator(column, sortDescending_);
}
