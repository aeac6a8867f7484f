// The play list's "Detailed" columns and the settings of quavrel.conf that go with them, the
// status line below the list, and captions made from tags.
#include <QAction>
#include <algorithm>
#include <functional>

#include "TQuavrel.h"
#include "playlist/TagCaption.h"
#include "views/ColumnOrder.h"
#include "views/PlayListColumns.h"
#include "views/TFileView.h"

namespace {

// Captions entries from their tags as the tags arrive, while "Titles from Tags" is on. The
// list cannot be changed while it tells of a change, so the rows are gathered and captioned
// once the event loop runs again, all in one notice.
class TagCaptions final : public PlayListObserver {
public:
    TagCaptions(PlayList& list, QObject& context, std::function<bool()> on)
        : list_(list), context_(context), on_(std::move(on)) {
        list_.AddObserver(this);
    }
    ~TagCaptions() override { list_.RemoveObserver(this); }

private:
    void TagsChanged(int first, int last) override {
        if (!on_())
            return;
        const bool posted = last_ >= 0;
        first_ = posted ? std::min(first_, first) : first;
        last_ = std::max(last_, last);
        if (!posted)
            QMetaObject::invokeMethod(
                &context_, [this] { Caption(); }, Qt::QueuedConnection);
    }
    void Caption() {
        const int first = first_, last = last_;
        last_ = -1;
        if (on_())
            list_.SetCaptions(CaptionsFromTags(list_, first, last));
    }
    // Rows may have moved meanwhile: captioning checks each row's own name and tags again,
    // and a row that moved in from elsewhere is one whose tags arrived too.
    void EntriesInserted(int, int) override {}
    void EntriesRemoved(int, int) override {}
    void EntryMoved(int, int) override {}
    void EntriesChanged(int, int) override {}
    void FocusChanged(int, int) override {}
    void Reset() override {}

    PlayList& list_;
    QObject& context_;
    std::function<bool()> on_;
    int first_ = 0;
    int last_ = -1;  // none gathered
};

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

void TQuavrel::CreateTagCaptions() {
    tagCaptions_ = std::make_unique<TagCaptions>(playList_, *this,
                                                 [this] { return TitlesfromTags1->isChecked(); });
}

void TQuavrel::TitlesfromTags1Click() {
    // The item's own trigger has flipped its tick. Entries added from now on are captioned as
    // their tags arrive; those shown already keep their captions.
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
