// The play list's "Detailed" columns and the settings of quavrel.conf that go with them, the
// status line below the list, and captions made from tags.
#include <QAction>

#include "TQuavrel.h"
#include "views/PlayListColumns.h"
#include "views/TFileView.h"

namespace {

constexpr std::string_view kColumnsOrder = "columns.order";
constexpr std::string_view kColumnsWidths = "columns.widths";
constexpr std::string_view kTitlesFromTags = "titles.fromtags";

}  // namespace

void TQuavrel::ApplyLinuxSettings() {
    FileList->SetColumns(ColumnLayout::Parse(linuxSettings_.Get(kColumnsOrder),
                                             linuxSettings_.Get(kColumnsWidths)));
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
