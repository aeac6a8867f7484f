#include "views/TdirtreeModel.h"

#include <QFile>
#include <QFileIconProvider>
#include <QCursor>
#include <QGuiApplication>
#include <QIcon>

namespace {

// Theme icons with the platform's generic ones behind them. A folder's selected picture is its
// "open" icon, as a file manager's tree shows it.
QIcon ThemeIcon(const char* name, QFileIconProvider::IconType fallback) {
    QIcon icon = QIcon::fromTheme(QString::fromLatin1(name));
    if (icon.isNull())
        icon = QFileIconProvider().icon(fallback);
    return icon;
}

const QIcon& IconOf(DriveKind kind) {
    static const QIcon folder = [] {
        QIcon icon = ThemeIcon("folder", QFileIconProvider::Folder);
        const QIcon open = QIcon::fromTheme(QStringLiteral("folder-open"));
        if (!open.isNull()) {
            for (int size : {16, 22, 32})
                icon.addPixmap(open.pixmap(size), QIcon::Selected);
        }
        return icon;
    }();
    static const QIcon home = ThemeIcon("user-home", QFileIconProvider::Folder);
    static const QIcon disk = ThemeIcon("drive-harddisk", QFileIconProvider::Drive);
    static const QIcon removable = ThemeIcon("drive-removable-media", QFileIconProvider::Drive);
    static const QIcon network = ThemeIcon("folder-remote", QFileIconProvider::Network);
    switch (kind) {
        case DriveKind::Home:
            return home;
        case DriveKind::FileSystem:
            return disk;
        case DriveKind::Removable:
            return removable;
        case DriveKind::Network:
            return network;
        case DriveKind::Fixed:
            break;
    }
    return folder;
}

}  // namespace

TdirtreeModel::Busy::Busy() {
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}
TdirtreeModel::Busy::~Busy() {
    QGuiApplication::restoreOverrideCursor();
}

TdirtreeModel::TdirtreeModel(std::unique_ptr<DirTree> tree, QObject* parent)
    : QAbstractItemModel(parent), tree_(std::move(tree)) {
    tree_->AddObserver(this);
}

TdirtreeModel::~TdirtreeModel() {
    tree_->RemoveObserver(this);
}

QModelIndex TdirtreeModel::IndexOf(const DirTreeNode* node) const {
    return node ? createIndex(node->Row(), 0, const_cast<DirTreeNode*>(node)) : QModelIndex();
}

DirTreeNode* TdirtreeModel::NodeAt(const QModelIndex& index) const {
    return index.isValid() ? static_cast<DirTreeNode*>(index.internalPointer()) : nullptr;
}

QModelIndex TdirtreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0)
        return {};
    const DirTreeNode* node = NodeAt(parent);
    const auto& siblings = node ? node->Children() : tree_->TopLevel();
    if (row >= static_cast<int>(siblings.size()))
        return {};
    return createIndex(row, 0, siblings[row].get());
}

QModelIndex TdirtreeModel::parent(const QModelIndex& child) const {
    const DirTreeNode* node = NodeAt(child);
    return node ? IndexOf(node->Parent()) : QModelIndex();
}

int TdirtreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0)
        return 0;
    const DirTreeNode* node = NodeAt(parent);
    return static_cast<int>(node ? node->Children().size() : tree_->TopLevel().size());
}

int TdirtreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

bool TdirtreeModel::hasChildren(const QModelIndex& parent) const {
    const DirTreeNode* node = NodeAt(parent);
    if (!node)
        return !tree_->TopLevel().empty();
    return !node->Children().empty() || !node->Placeholder().empty();
}

QVariant TdirtreeModel::data(const QModelIndex& index, int role) const {
    const DirTreeNode* node = NodeAt(index);
    if (!node)
        return {};
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            // File names are bytes; the local 8-bit decoding keeps odd ones readable.
            return QFile::decodeName(QByteArray::fromStdString(node->Caption()));
        case Qt::DecorationRole:
            return IconOf(node->Kind());
        default:
            return {};
    }
}

bool TdirtreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    DirTreeNode* node = NodeAt(index);
    if (!node || role != Qt::EditRole || readonly_)
        return false;
    tree_->SetCaption(node, QFile::encodeName(value.toString()).toStdString());
    return true;
}

Qt::ItemFlags TdirtreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!readonly_)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool TdirtreeModel::canFetchMore(const QModelIndex& parent) const {
    const DirTreeNode* node = NodeAt(parent);
    return node && !tree_->Expanded(node);
}

void TdirtreeModel::fetchMore(const QModelIndex& parent) {
    DirTreeNode* node = NodeAt(parent);
    if (!node || tree_->Expanded(node))
        return;
    Busy busy;
    tree_->Expand(node);
}

void TdirtreeModel::BeginReset() {
    beginResetModel();
}
void TdirtreeModel::EndReset() {
    endResetModel();
}

void TdirtreeModel::BeginInsert(const DirTreeNode* parent, int first, int last) {
    beginInsertRows(IndexOf(parent), first, last);
}

void TdirtreeModel::EndInsert() {
    endInsertRows();
}

void TdirtreeModel::BeginRemove(const DirTreeNode* parent, int first, int last) {
    beginRemoveRows(IndexOf(parent), first, last);
}

void TdirtreeModel::EndRemove() {
    endRemoveRows();
}

void TdirtreeModel::CaptionChanged(const DirTreeNode* node) {
    const QModelIndex index = IndexOf(node);
    emit dataChanged(index, index);
}

void TdirtreeModel::PlaceholderChanged(const DirTreeNode* node) {
    emit ExpandButtonChanged(IndexOf(node));
}

void TdirtreeModel::SelectionChanged(const DirTreeNode* current, bool scrollToTop) {
    emit TreeSelectionChanged(IndexOf(current), scrollToTop);
}
