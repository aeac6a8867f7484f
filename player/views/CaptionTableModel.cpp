#include "views/CaptionTableModel.h"

#include "views/TFileListView.h"

CaptionTableModel::CaptionTableModel(TFileListView& owner, QObject* parent)
    : QAbstractTableModel(parent), owner_(owner) {}

QString CaptionTableModel::FromBytes(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

Qt::ItemFlags CaptionTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
    if (index.column() == 0 && !owner_.ReadOnly())
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool CaptionTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || index.column() != 0 || !HasRow(index.row()))
        return false;
    std::string caption = value.toString().toUtf8().toStdString();
    owner_.CaptionEdited(index.row(), caption);
    if (HasRow(index.row()))  // the view's handler may have changed the entries
        StoreCaption(index.row(), std::move(caption));
    return true;
}
