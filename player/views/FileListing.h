#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "playlist/FileAdder.h"
#include "views/FileListTypes.h"

class ShellInfo;

// One entry of the explorer list. Columns holds the values of the view's columns after
// "Name", in column order (column c shows Columns[c - 1]); the size text comes first and is
// empty exactly for folders.
struct FileListEntry {
    std::string Caption;
    std::string TypeName;
    std::string Path;  // full path; a folder's without its trailing "/"
    int IconIndex = -1;
    bool IsFolder = false;
    std::vector<std::string> Columns;

    // The value of column 1 + index; empty past the end.
    const std::string& SubItem(int index) const;
};

// Told about every change of a FileListing, right before and after it, so a view can mirror
// it. A rescan brackets its listing with RescanStarted and RescanFinished, which may nest when
// a listing yields and a handler starts another.
class FileListingObserver {
public:
    virtual ~FileListingObserver() = default;
    virtual void EntriesAboutToReset() = 0;
    virtual void EntriesReset() = 0;
    virtual void EntryChanged(int index) = 0;
    virtual void ColumnsChanged() = 0;
    virtual void RescanStarted() = 0;
    virtual void RescanFinished() = 0;
};

enum class TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

// The explorer list's bookkeeping (TFileList without its widget): the folders and masks it
// lists, which attributes and columns it shows, its entries in sorted order, and the listing
// itself. Writing Directory or Mask rescans at once, even with the same value; FileTypes,
// DisplayDirectory and DisplayParentDir rescan when they change.
//
// A listing lets pending window messages run after every directory entry (ProcessEvents), so a
// handler may write Directory in the middle of it, or destroy the list. Entries are collected
// aside and published whole at the end: a listing overtaken by a newer one is dropped, so two
// folders' entries never mix. User-interface thread only.
class FileListing {
public:
    // shell must outlive the listing. A null filter lets every file pass.
    FileListing(ShellInfo& shell, FileAdder::FilterTest passesFilter);
    ~FileListing();
    FileListing(const FileListing&) = delete;
    FileListing& operator=(const FileListing&) = delete;

    void SetFilter(FileAdder::FilterTest passesFilter) {
        adder_.SetFilter(std::move(passesFilter));
    }
    void SetObserver(FileListingObserver* observer) { observer_ = observer; }
    // Runs pending window messages; may re-enter this object. Null: nothing runs.
    std::function<void()> ProcessEvents;
    // Raised for every file and folder entry a listing makes, also with a null item when the
    // type filter refused the file. item and data are valid during the call only.
    std::function<void(FileListing& sender, const FileListEntry* item, const std::string& folder,
                       const FindData& data)>
        OnFileAdd;

    // Folders separated by ";", each stored once with a trailing "/", sorted by byte value;
    // names compare exactly, so "/m/A" and "/m/a" are two folders.
    std::string Directory() const;
    void SetDirectory(std::string_view value);
    const std::vector<std::string>& Folders() const { return folders_; }
    std::string Mask() const;  // the parsed masks joined with ";"
    void SetMask(std::string_view value);
    const std::vector<std::string>& Masks() const { return masks_; }
    TFileTypes FileTypes() const { return fileTypes_; }
    void SetFileTypes(TFileTypes value);
    bool DisplayDirectory() const { return displayDirectory_; }
    void SetDisplayDirectory(bool value);
    bool DisplayParentDir() const { return displayParentDir_; }
    void SetDisplayParentDir(bool value);
    TFileInfos ViewColumns() const { return viewColumns_; }
    void SetViewColumns(TFileInfos value);
    TFileInfo SortColumn() const { return sortColumn_; }
    void SetSortColumn(TFileInfo value);
    bool SortDescending() const { return sortDescending_; }
    TViewStyle ViewStyle() const { return viewStyle_; }
    void SetViewStyle(TViewStyle value) { viewStyle_ = value; }

    // The fixed table of every column's caption, width and alignment, by TFileInfo; its
    // Column fields are the column map (-1: not shown).
    const std::vector<TColumnInfo>& ColumnTable() const { return columnTable_; }
    // The view's columns in order, as BuildColumns made them.
    const std::vector<TColumnInfo>& Columns() const { return columns_; }
    int ColumnOf(TFileInfo info) const;
    TFileInfo InfoOfColumn(int column) const;  // fiAll for no such column
    bool Selected(TFileInfo info) const;
    void BuildColumns();
    // A click on a column header: sorts by what it shows (twice reverses the order).
    void ColumnClick(int column);

    // "%10d" of the size: right-aligned in ten characters; sizes of 2^31 bytes and more show
    // their true value (wider than ten when they must).
    static std::string SizeText(std::uint64_t size);

    // Negative, zero or positive: a before, like or after b when sorting on column.
    int CompareEntries(const FileListEntry& a, const FileListEntry& b, int column) const;

    void Rescan();

    int Count() const { return static_cast<int>(entries_.size()); }
    const FileListEntry& At(int index) const { return entries_.at(index); }
    void SetCaption(int index, std::string caption);  // the shown caption only, never the file
    // Appends an entry made outside a listing (AddFile on the list); the next rescan drops it.
    int Append(FileListEntry entry);

    // The bookkeeping holds: the column map and the columns agree, folders come first.
    bool IsConsistent() const;

private:
    struct Listing;

    // Lists folder (ending in "/") into the listing; false when it was overtaken.
    bool ListFolder(const std::string& folder, Listing& listing);
    void AddColumnValues(FileListEntry* entry, const std::string& folder, const FindData& data,
                         Listing& listing);
    bool FileTypesAccepted(std::uint32_t attributes) const;
    void Sort(std::vector<FileListEntry>& entries) const;
    void Publish(std::vector<FileListEntry> entries);

    ShellInfo& shell_;
    FileAdder adder_;
    FileListingObserver* observer_ = nullptr;
    std::vector<std::string> folders_;
    std::vector<std::string> masks_{"*.*"};
    TFileTypes fileTypes_{ftArchive, ftReadonly};
    bool displayDirectory_ = true;
    bool displayParentDir_ = true;
    TFileInfos viewColumns_{fiName, fiSize, fiType, fiModified};
    TFileInfo sortColumn_ = fiName;
    bool sortDescending_ = false;
    TViewStyle viewStyle_ = TViewStyle::vsIcon;
    std::vector<TColumnInfo> columnTable_;
    std::vector<TColumnInfo> columns_;
    std::vector<TFileInfo> infoOfColumn_;
    std::vector<FileListEntry> entries_;
    std::uint64_t generation_ = 0;  // counts listings started, to notice being overtaken
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
