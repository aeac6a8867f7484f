#include "views/FileListItemModel.h"

#include "services/ShellIconList.h"

FileListItemModel::FileListItemModel(FileListing& listing, TFileListView& owner, QObject* parent)
    : CaptionTableModel(owner, parent),
      listing_(listing),
      columns_(static_cast<int>(listing.Columns().size())) {
    listing_.SetObserver(this);
}

FileListItemModel::~FileListItemModel() {
    listing_.SetObserver(nullptr);
}

int FileListItemModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : listing_.Count();
}

int FileListItemModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant FileListItemModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= listing_.Count())
        return {};
    const FileListEntry& entry = listing_.At(index.row());
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return FromBytes(column == 0 ? entry.Caption : entry.SubItem(column - 1));
        case Qt::DecorationRole:
            if (column == 0)
                return ShellIconList::Instance().Icon(entry.IconIndex);
            return {};
        case Qt::TextAlignmentRole:
            if (column < static_cast<int>(listing_.Columns().size()) &&
                listing_.Columns()[column].Alignment == TAlignment::Right)
                return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}

QVariant FileListItemModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const auto& columns = listing_.Columns();
    if (orientation != Qt::Horizontal || section < 0 || section >= static_cast<int>(columns.size()))
        return {};
    if (role == Qt::DisplayRole)
        return FromBytes(columns[section].Caption);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(columns[section].Alignment == TAlignment::Right
                                       ? Qt::AlignRight | Qt::AlignVCenter
                                       : Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

bool FileListItemModel::HasRow(int row) const {
    return row < listing_.Count();
}

void FileListItemModel::StoreCaption(int row, std::string caption) {
    listing_.SetCaption(row, std::move(caption));
}

void FileListItemModel::EntriesAboutToReset() {
    beginResetModel();
}

void FileListItemModel::EntriesReset() {
    endResetModel();
}

void FileListItemModel::EntryChanged(int row) {
    emit dataChanged(index(row, 0), index(row, columns_ - 1));
}

void FileListItemModel::ColumnsChanged() {
    beginResetModel();
    columns_ = static_cast<int>(listing_.Columns().size());
    endResetModel();
    if (OnColumnsChanged)
        OnColumnsChanged();
}

void FileListItemModel::RescanStarted() {
    if (OnRescanStarted)
        OnRescanStarted();
}

void FileListItemModel::RescanFinished() {
    if (OnRescanFinished)
        OnRescanFinished();
}
