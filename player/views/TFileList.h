#pragma once

#include <memory>

#include "views/TFileListView.h"

class FileListItemModel;

// The explorer pane's file list (the main window's ExpList): the contents of one or more
// folders, filtered by masks, attributes and the type filter, in the chosen columns, folders
// first. The rules live in FileListing; this widget shows it, sorts on header clicks, shows
// the wait cursor while listing and lets pending events run meanwhile (at most every 20 ms,
// which keeps a large folder fast while the window stays responsive).
class TFileList : public TFileListView {
    Q_OBJECT

public:
    TFileList(ShellInfo& shell, FileAdder::FilterTest passesFilter, QWidget* parent = nullptr);
    ~TFileList() override;

    FileListing& Listing() const { return *listing_; }

    std::string Directory() const { return listing_->Directory(); }
    void SetDirectory(const std::string& value) { listing_->SetDirectory(value); }
    void SetFolder(const std::string& folder) { listing_->SetFolder(folder); }
    std::string Mask() const { return listing_->Mask(); }
    void SetMask(const std::string& value) { listing_->SetMask(value); }
    TFileTypes FileTypes() const { return listing_->FileTypes(); }
    void SetFileTypes(TFileTypes value) { listing_->SetFileTypes(value); }
    bool DisplayDirectory() const { return listing_->DisplayDirectory(); }
    void SetDisplayDirectory(bool value) { listing_->SetDisplayDirectory(value); }
    bool DisplayParentDir() const { return listing_->DisplayParentDir(); }
    void SetDisplayParentDir(bool value) { listing_->SetDisplayParentDir(value); }
    TFileInfos ViewColumns() const { return listing_->ViewColumns(); }
    void SetViewColumns(TFileInfos value) { listing_->SetViewColumns(value); }
    TFileInfo SortColumn() const { return listing_->SortColumn(); }
    void SetSortColumn(TFileInfo value) { listing_->SetSortColumn(value); }
    bool SortDescending() const { return listing_->SortDescending(); }
    void Rescan() { listing_->Rescan(); }

    void SetViewStyle(TViewStyle style) override;
    int Count() const override { return listing_->Count(); }
    std::string PathOf(int index) const override;

    // The list view's usual column-click event, after the sort column was set.
    std::function<void(int column)> OnColumnClick;

protected:
    int AppendEntry(PlayListEntry entry) override;

private:
    void ApplyColumns();
    void ProcessPendingEvents();

    std::unique_ptr<FileListing> listing_;
    FileListItemModel* model_;
    int waitCursors_ = 0;  // override cursors this list has pushed and not yet popped
    qint64 lastEvents_ = 0;
};
