#include "views/PlayListItemModel.h"

#include <QItemSelectionModel>

#include "services/ScopedValue.h"
#include "services/ShellIconList.h"
#include "views/PlayListColumns.h"

PlayListItemModel::PlayListItemModel(PlayList& list, TFileListView& owner, QObject* parent)
    : CaptionTableModel(owner, parent), list_(list) {
    list_.AddObserver(this);
}

PlayListItemModel::~PlayListItemModel() {
    list_.RemoveObserver(this);
}

void PlayListItemModel::AttachSelection(QItemSelectionModel* selection) {
    selection_ = selection;
    connect(selection_, &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected, const QItemSelection& deselected) {
                SelectionChanged(selected, deselected);
            });
    connect(selection_, &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { CurrentChanged(current); });
    ShowMarks(0, list_.Count() - 1);
    ShowFocus();
}

int PlayListItemModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : list_.Count();
}

int PlayListItemModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kPlayListColumnCount;
}

QVariant PlayListItemModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !list_.Contains(index.row()))
        return {};
    const PlayListEntry& entry = list_.At(index.row());
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            if (index.column() < 0 || index.column() >= kPlayListColumnCount)
                return {};
            return FromBytes(CellText(entry, static_cast<PlayListColumn>(index.column())));
        case Qt::DecorationRole:
            if (index.column() == 0)
                return ShellIconList::Instance().Icon(entry.IconIndex);
            return {};
        case Qt::TextAlignmentRole:
            if (index.column() >= 0 && index.column() < kPlayListColumnCount &&
                PlayListColumnTable()[index.column()].rightAligned)
                return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
            return {};
    }
    return {};
}

QVariant PlayListItemModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kPlayListColumnCount)
        return {};
    const PlayListColumnInfo& info = PlayListColumnTable()[section];
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(info.caption);
    if (role == Qt::TextAlignmentRole && info.rightAligned)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

bool PlayListItemModel::HasRow(int row) const {
    return list_.Contains(row);
}

void PlayListItemModel::StoreCaption(int row, std::string caption) {
    list_.SetCaption(row, std::move(caption));
}

void PlayListItemModel::EntriesInserted(int first, int count) {
    const ScopedValue<bool> guard(mirroring_, true);
    beginInsertRows({}, first, first + count - 1);
    endInsertRows();
    // New rows come unselected into the selection model: only marked ones need showing.
    if (list_.SelectedCount() > 0)
        ShowMarks(first, first + count - 1, true);
    ShowFocus();
}

void PlayListItemModel::EntriesRemoved(int first, int count) {
    const ScopedValue<bool> guard(mirroring_, true);
    beginRemoveRows({}, first, first + count - 1);
    endRemoveRows();
    ShowFocus();
}

void PlayListItemModel::EntriesDeleted(const std::vector<std::pair<int, int>>& runs) {
    // A view and its selection close up their rows once per removal, each costing about the
    // whole list: a scattered delete (every other entry) is shown as a new list instead.
    constexpr std::size_t kMostRemovals = 16;
    if (runs.size() > kMostRemovals) {
        Reset();
        return;
    }
    const ScopedValue<bool> guard(mirroring_, true);
    for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
        beginRemoveRows({}, run->first, run->first + run->second - 1);
        endRemoveRows();
    }
    ShowFocus();
}

void PlayListItemModel::EntryMoved(int from, int to) {
    const ScopedValue<bool> guard(mirroring_, true);
    beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
    endMoveRows();
    ShowMarks(std::min(from, to), std::max(from, to));
    ShowFocus();
}

void PlayListItemModel::EntriesChanged(int first, int last) {
    // Marks written from the view's own selection are shown there already.
    if (mirroring_)
        return;
    emit dataChanged(index(first, 0), index(last, kPlayListColumnCount - 1));
    ShowMarks(first, last);
}

void PlayListItemModel::TagsChanged(int first, int last) {
    // New texts only: the marks stand as they were.
    emit dataChanged(index(first, 0), index(last, kPlayListColumnCount - 1));
}

void PlayListItemModel::FocusChanged(int, int) {
    ShowFocus();
}

void PlayListItemModel::Reset() {
    const ScopedValue<bool> guard(mirroring_, true);
    beginResetModel();
    endResetModel();
    ShowMarks(0, list_.Count() - 1);
    ShowFocus();
}

void PlayListItemModel::ShowMarks(int first, int last, bool selectedOnly) {
    if (!selection_ || first > last)
        return;
    const ScopedValue<bool> guard(mirroring_, true);
    QItemSelection select;
    QItemSelection deselect;
    int run = first;
    while (run <= last) {
        const bool marked = list_.IsSelected(run);
        int end = run;
        while (end + 1 <= last && list_.IsSelected(end + 1) == marked)
            ++end;
        (marked ? select : deselect).select(index(run, 0), index(end, kPlayListColumnCount - 1));
        run = end + 1;
    }
    if (!deselect.isEmpty() && !selectedOnly)
        selection_->select(deselect, QItemSelectionModel::Deselect);
    if (!select.isEmpty())
        selection_->select(select, QItemSelectionModel::Select);
}

void PlayListItemModel::ShowFocus() {
    if (!selection_)
        return;
    const ScopedValue<bool> guard(mirroring_, true);
    const int focused = list_.Focused();
    if (focused < 0)
        selection_->clearCurrentIndex();
    else if (selection_->currentIndex().row() != focused)
        selection_->setCurrentIndex(index(focused, 0), QItemSelectionModel::NoUpdate);
}

void PlayListItemModel::SelectionChanged(const QItemSelection& selected,
                                         const QItemSelection& deselected) {
    if (mirroring_)
        return;
    const ScopedValue<bool> guard(mirroring_, true);
    // Whole ranges at once: selecting all of 100,000 entries is one change of the list.
    for (const QItemSelectionRange& range : deselected) {
        const int last = std::min(range.bottom(), list_.Count() - 1);
        int row = std::max(range.top(), 0);
        while (row <= last) {
            // A row may stay selected through a column of another range.
            if (selection_->isRowSelected(row, {})) {
                ++row;
                continue;
            }
            int end = row;
            while (end + 1 <= last && !selection_->isRowSelected(end + 1, {}))
                ++end;
            list_.SetSelectedRange(row, end, false);
            row = end + 1;
        }
    }
    for (const QItemSelectionRange& range : selected) {
        const int first = std::max(range.top(), 0);
        const int last = std::min(range.bottom(), list_.Count() - 1);
        if (first <= last)
            list_.SetSelectedRange(first, last, true);
    }
}

void PlayListItemModel::CurrentChanged(const QModelIndex& current) {
    if (mirroring_)
        return;
    const ScopedValue<bool> guard(mirroring_, true);
    list_.Focus(current.isValid() && list_.Contains(current.row()) ? current.row() : -1);
}
