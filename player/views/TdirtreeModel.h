#pragma once

#include <QAbstractItemModel>
#include <memory>

#include "views/DirTree.h"

// The directory tree as a Qt item model: one column, rows read from the DirTree it owns, every
// change of the tree wrapped in the begin/end calls. A node's folders are read when a view
// lays out its children (canFetchMore/fetchMore), one level ahead of what is shown.
// Placeholders are no rows: they only make hasChildren true.
class TdirtreeModel final : public QAbstractItemModel, private DirTreeObserver {
    Q_OBJECT

public:
    // Shows the hourglass cursor while it lives.
    struct Busy {
        Busy();
        ~Busy();
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;
    };

    explicit TdirtreeModel(std::unique_ptr<DirTree> tree, QObject* parent = nullptr);
    ~TdirtreeModel() override;

    DirTree& Tree() { return *tree_; }
    const DirTree& Tree() const { return *tree_; }
    QModelIndex IndexOf(const DirTreeNode* node) const;   // invalid for null
    DirTreeNode* NodeAt(const QModelIndex& index) const;  // null for the invisible root
    void SetReadonly(bool value) { readonly_ = value; }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

signals:
    // The tree's selection moved (an invalid index: none).
    void TreeSelectionChanged(const QModelIndex& current, bool scrollToTop);
    // A node gained or lost its expand button without a row being inserted or removed.
    void ExpandButtonChanged(const QModelIndex& index);

private:
    void BeginReset() override;
    void EndReset() override;
    void BeginInsert(const DirTreeNode* parent, int first, int last) override;
    void EndInsert() override;
    void BeginRemove(const DirTreeNode* parent, int first, int last) override;
    void EndRemove() override;
    void CaptionChanged(const DirTreeNode* node) override;
    void PlaceholderChanged(const DirTreeNode* node) override;
    void SelectionChanged(const DirTreeNode* current, bool scrollToTop) override;

    std::unique_ptr<DirTree> tree_;
    bool readonly_ = true;
};
