#pragma once

#include <QAbstractTableModel>
#include <string>

class TFileListView;

// A table model of a file list view's entries whose first column is the entry's caption: every
// cell can be selected and dragged, and the caption edited in place unless the view is read-only.
// An edit goes to the view first, which may change the caption or the entries, and is then
// stored if its row is still there. User-interface thread only.
class CaptionTableModel : public QAbstractTableModel {
public:
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

protected:
    // owner must outlive the model.
    explicit CaptionTableModel(TFileListView& owner, QObject* parent = nullptr);

    // UTF-8 bytes as a QString.
    static QString FromBytes(const std::string& text);

    // Whether a row of the entries exists now.
    virtual bool HasRow(int row) const = 0;
    // Stores an edited caption into an existing row.
    virtual void StoreCaption(int row, std::string caption) = 0;

    TFileListView& owner_;
};
