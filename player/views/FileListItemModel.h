#pragma once

#include <functional>

#include "views/CaptionTableModel.h"
#include "views/FileListing.h"

// The explorer list's entries as a Qt model: the columns FileListing built, each row read from
// the listing. It stores nothing; a listing is shown when it is published whole. User-interface
// thread only.
class FileListItemModel : public CaptionTableModel, private FileListingObserver {
public:
    // listing and owner must outlive the model.
    FileListItemModel(FileListing& listing, TFileListView& owner, QObject* parent = nullptr);
    ~FileListItemModel() override;

    std::function<void()> OnColumnsChanged;
    std::function<void()> OnRescanStarted;
    std::function<void()> OnRescanFinished;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    bool HasRow(int row) const override;
    void StoreCaption(int row, std::string caption) override;

    void EntriesAboutToReset() override;
    void EntriesReset() override;
    void EntryChanged(int index) override;
    void ColumnsChanged() override;
    void RescanStarted() override;
    void RescanFinished() override;

    FileListing& listing_;
    int columns_;
};
