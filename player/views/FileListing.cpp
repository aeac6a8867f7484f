#include "views/FileListing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>

#include "services/ShellInfo.h"
#include "views/MaskSearch.h"

// The entries of one listing, collected aside until it is published.
struct FileListing::Listing {
    std::vector<FileListEntry> entries;
    std::uint64_t generation = 0;
    std::shared_ptr<bool> alive;
    // The folder type and icon, asked for at the first folder entry: a list that shows no
    // folders (the explorer's) never loads the icon theme's folder icon for them.
    bool folderKnown = false;
    std::string folderTypeName;
    int folderIconIndex = -1;
};

namespace {

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Compares as the uppercased texts would compare, by character code, without copying them.
int CompareUpper(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(AsciiUpper(a[i]));
        const auto y = static_cast<unsigned char>(AsciiUpper(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

FindData ReadFindData(const std::string& folder, const char* name) {
    FindData data;
    data.Name = name;
    data.DosName = name;
    const std::string path = folder + name;
    struct statx info {};
    // A symbolic link counts as what it points to; a dangling one as itself.
    if (::statx(AT_FDCWD, path.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &info) != 0 &&
        ::statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS, &info) != 0)
        return data;
    const bool folderEntry = S_ISDIR(info.stx_mode);
    const bool regular = S_ISREG(info.stx_mode);
    if (folderEntry)
        data.Attributes |= FindData::Directory;
    if (regular)
        data.Attributes |= FindData::Archive;
    if (!folderEntry && !regular)
        data.Attributes |= FindData::System;
    const std::string_view shown(name);
    if (shown.starts_with('.') && shown != "." && shown != "..")
        data.Attributes |= FindData::Hidden;
    if (::access(path.c_str(), W_OK) != 0)
        data.Attributes |= FindData::ReadOnly;
    data.Size = info.stx_size;
    data.LastWriteTime = info.stx_mtime.tv_sec;
    data.LastAccessTime = info.stx_atime.tv_sec;
    data.CreationTime =
        (info.stx_mask & STATX_BTIME) != 0 ? info.stx_btime.tv_sec : info.stx_mtime.tv_sec;
    return data;
}

std::string AttributeLetters(const FindData& data) {
    std::string letters;
    const std::pair<FindData::Attribute, char> order[] = {
        {FindData::Directory, 'D'}, {FindData::Archive, 'A'}, {FindData::ReadOnly, 'R'},
        {FindData::System, 'S'},    {FindData::Hidden, 'H'},  {FindData::Temporary, 'T'}};
    for (const auto& [attribute, letter] : order) {
        if (data.Is(attribute))
            letters += letter;
    }
    return letters;
}

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

}  // namespace

const std::string& FileListEntry::SubItem(int index) const {
    static const std::string empty;
    return index >= 0 && index < static_cast<int>(Columns.size()) ? Columns[index] : empty;
}

std::string FileListing::SizeText(std::uint64_t size) {
    char text[32];
    std::snprintf(text, sizeof text, "%10" PRIu64, size);
    return text;
}

FileListing::FileListing(ShellInfo& shell, FileAdder::FilterTest passesFilter)
    : shell_(shell), adder_(shell, std::move(passesFilter)) {
    columnTable_ = {
        {"Name", 150, TAlignment::Left},      {"Size", 60, TAlignment::Right},
        {"Type", 130, TAlignment::Left},      {"Modified", 100, TAlignment::Left},
        {"Created", 100, TAlignment::Left},   {"Last Access", 85, TAlignment::Left},
        {"Attributes", 60, TAlignment::Left}, {"Dos Name", 130, TAlignment::Left},
        {"Dos Ext", 60, TAlignment::Left},    {"Path", 200, TAlignment::Left},
    };
    BuildColumns();
}

FileListing::~FileListing() {
    *alive_ = false;
}

std::string FileListing::Directory() const {
    std::string joined;
    for (const std::string& folder : folders_) {
        if (!joined.empty())
            joined += ';';
        joined += folder;
    }
    return joined;
}

void FileListing::SetDirectory(std::string_view value) {
    std::vector<std::string> folders;
    std::size_t start = 0;
    while (start <= value.size()) {
        std::size_t end = value.find(';', start);
        if (end == std::string_view::npos)
            end = value.size();
        folders.emplace_back(value.substr(start, end - start));
        start = end + 1;
    }
    SetFolders(std::move(folders));
}

void FileListing::SetFolder(std::string_view folder) {
    SetFolders({std::string(folder)});
}

void FileListing::SetFolders(std::vector<std::string> folders) {
    std::erase_if(folders, [](const std::string& folder) { return folder.empty(); });
    for (std::string& folder : folders) {
        if (folder.back() != '/')
            folder += '/';
    }
    std::sort(folders.begin(), folders.end());
    folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
    folders_ = std::move(folders);
    Rescan();
}

std::string FileListing::Mask() const {
    std::string joined;
    for (const std::string& mask : masks_) {
        if (!joined.empty())
            joined += ';';
        joined += mask;
    }
    return joined;
}

void FileListing::SetMask(std::string_view value) {
    masks_ = ParseMaskList(value);
    Rescan();
}

void FileListing::SetFileTypes(TFileTypes value) {
    if (value == fileTypes_)
        return;
    fileTypes_ = value;
    Rescan();
}

void FileListing::SetDisplayDirectory(bool value) {
    if (value == displayDirectory_)
        return;
    displayDirectory_ = value;
    Rescan();
}

void FileListing::SetDisplayParentDir(bool value) {
    if (value == displayParentDir_)
        return;
    displayParentDir_ = value;
    if (displayDirectory_)
        Rescan();
}

void FileListing::SetViewColumns(TFileInfos value) {
    if (value == viewColumns_)
        return;
    viewColumns_ = value;
    // Built in every style, so the columns always agree with the values a listing makes.
    BuildColumns();
    Rescan();
}

bool FileListing::Selected(TFileInfo info) const {
    return viewColumns_.Contains(info) || viewColumns_.Contains(fiAll);
}

int FileListing::ColumnOf(TFileInfo info) const {
    return info >= 0 && info < kFileInfoColumns ? columnTable_[info].Column : -1;
}

TFileInfo FileListing::InfoOfColumn(int column) const {
    return column >= 0 && column < static_cast<int>(infoOfColumn_.size()) ? infoOfColumn_[column]
                                                                          : fiAll;
}

void FileListing::BuildColumns() {
    columns_.clear();
    infoOfColumn_.clear();
    for (TColumnInfo& info : columnTable_)
        info.Column = -1;
    const auto add = [this](TFileInfo info, int width) {
        TColumnInfo& entry = columnTable_[info];
        entry.Column = static_cast<int>(columns_.size());
        columns_.push_back(entry);
        columns_.back().Width = width;
        infoOfColumn_.push_back(info);
    };
    add(fiName, Selected(fiName) ? columnTable_[fiName].Width : 0);
    add(fiSize, Selected(fiSize) ? columnTable_[fiSize].Width : 0);
    for (int info = fiType; info <= fiPath; ++info) {
        if (Selected(static_cast<TFileInfo>(info)))
            add(static_cast<TFileInfo>(info), columnTable_[info].Width);
    }
    if (observer_)
        observer_->ColumnsChanged();
}

void FileListing::SetSortColumn(TFileInfo value) {
    if (value == fiAll || !Selected(value))
        return;
    if (value == sortColumn_)
        sortDescending_ = !sortDescending_;
    else
        sortColumn_ = value;
    if (viewStyle_ == TViewStyle::vsReport) {
        std::vector<FileListEntry> entries = entries_;
        Sort(entries);
        Publish(std::move(entries));
    }
}

void FileListing::ColumnClick(int column) {
    SetSortColumn(InfoOfColumn(column));
}

int FileListing::CompareEntries(const FileListEntry& a, const FileListEntry& b, int column) const {
    const bool aFolder = a.SubItem(0).empty();
    const bool bFolder = b.SubItem(0).empty();
    if (aFolder != bFolder)
        return aFolder ? -1 : 1;  // folders first, whatever the direction
    int result = 0;
    if (column != 0)
        result = CompareUpper(a.SubItem(column - 1), b.SubItem(column - 1));
    if (result == 0)
        result = CompareUpper(a.Caption, b.Caption);
    if (sortDescending_)
        result = -result;
    // Times sort newest first.
    if (column >= 0 && (column == ColumnOf(fiModified) || column == ColumnOf(fiCreated) ||
                        column == ColumnOf(fiLastAccess)))
        result = -result;
    return result;
}

void FileListing::Sort(std::vector<FileListEntry>& entries) const {
    const int column = ColumnOf(sortColumn_);
    std::stable_sort(entries.begin(), entries.end(),
                     [&](const FileListEntry& a, const FileListEntry& b) {
                         return CompareEntries(a, b, column) < 0;
                     });
}

void FileListing::Publish(std::vector<FileListEntry> entries) {
    if (observer_)
        observer_->EntriesAboutToReset();
    entries_ = std::move(entries);
    if (observer_)
        observer_->EntriesReset();
}

void FileListing::SetCaption(int index, std::string caption) {
    entries_.at(index).Caption = std::move(caption);
    if (observer_)
        observer_->EntryChanged(index);
}

int FileListing::Append(FileListEntry entry) {
    std::vector<FileListEntry> entries = entries_;
    entries.push_back(std::move(entry));
    Publish(std::move(entries));
    return Count() - 1;
}

void FileListing::Rescan() {
    Listing listing;
    listing.generation = ++generation_;
    listing.alive = alive_;
    if (observer_)
        observer_->RescanStarted();
    // The old entries go at once: while the listing lets events run, nothing of the folder
    // left behind can be double-clicked into the play list.
    if (!entries_.empty())
        Publish({});
    // However the walk ends, short of the list's own end (then nothing is left to tell): the
    // entries found show while this walk is still the latest, and the observer hears the end.
    // An escaping error ends it here, showing what was found before it.
    class Ending {
    public:
        Ending(FileListing& self, Listing& listing) : self_(self), listing_(listing) {}
        ~Ending() {
            // A list destroyed while the walk let events run is never touched again.
            if (!done_ && *listing_.alive)
                Finish(self_.generation_ == listing_.generation);
        }
        void Finish(bool show) {
            done_ = true;
            if (!*listing_.alive)
                return;
            if (show) {
                self_.Sort(listing_.entries);
                self_.Publish(std::move(listing_.entries));
            }
            if (self_.observer_)
                self_.observer_->RescanFinished();
        }

    private:
        FileListing& self_;
        Listing& listing_;
        bool done_ = false;
    } ending(*this, listing);
    // A handler run by ProcessEvents may rewrite the folder list: walk a copy.
    const std::vector<std::string> folders = folders_;
    bool current = true;
    for (const std::string& path : folders) {
        current = ListFolder(path, listing);
        if (current && ProcessEvents) {
            const std::function<void()> processEvents = ProcessEvents;
            processEvents();
            current = *listing.alive && generation_ == listing.generation;
        }
        if (!*listing.alive)
            return;  // the list itself is gone
        if (!current)
            break;
    }
    ending.Finish(current);
}

bool FileListing::FileTypesAccepted(std::uint32_t attributes) const {
    if (fileTypes_.Contains(ftAll))
        return true;
    const std::pair<FindData::Attribute, TFileType> allowedBy[] = {
        {FindData::Archive, ftArchive},
        {FindData::ReadOnly, ftReadonly},
        {FindData::Hidden, ftHidden},
        {FindData::System, ftSystem},
        {FindData::Temporary, ftTemporary}};
    for (const auto& [attribute, type] : allowedBy) {
        if ((attributes & attribute) != 0 && !fileTypes_.Contains(type))
            return false;
    }
    return true;
}

bool FileListing::ListFolder(const std::string& folder, Listing& listing) {
    std::unique_ptr<DIR, DirCloser> dir{::opendir(folder.c_str())};
    if (!dir)
        return true;  // a folder that cannot be read lists nothing, silently
    while (const dirent* found = ::readdir(dir.get())) {
        const std::string_view name(found->d_name);
        const FindData data = ReadFindData(folder, found->d_name);
        if (FileTypesAccepted(data.Attributes)) {
            if (data.Is(FindData::Directory)) {
                // The root's ".." would be the root again.
                const bool parentShown = name == ".." && displayParentDir_ && folder != "/";
                if (displayDirectory_ && name != "." && (name != ".." || parentShown)) {
                    if (!listing.folderKnown) {
                        const ShellInfo::Info folderInfo = shell_.FolderInfo();
                        listing.folderTypeName = folderInfo.TypeName;
                        listing.folderIconIndex = folderInfo.IconIndex;
                        listing.folderKnown = true;
                    }
                    FileListEntry entry;
                    entry.Caption = std::string(name);
                    entry.TypeName = listing.folderTypeName;
                    entry.Path = folder + std::string(name);
                    entry.IconIndex = listing.folderIconIndex;
                    entry.IsFolder = true;
                    listing.entries.push_back(std::move(entry));
                    AddColumnValues(&listing.entries.back(), folder, data, listing);
                }
            } else if (MatchMaskList(name, masks_)) {
                std::optional<PlayListEntry> file = adder_.FileEntry(folder + std::string(name));
                if (file) {
                    listing.entries.push_back(FileListEntry{std::move(file->Caption),
                                                            std::move(file->TypeName),
                                                            std::move(file->Path),
                                                            file->IconIndex,
                                                            false,
                                                            {}});
                    AddColumnValues(&listing.entries.back(), folder, data, listing);
                } else {
                    AddColumnValues(nullptr, folder, data, listing);
                }
            }
        }
        if (!*listing.alive || generation_ != listing.generation)
            return false;
        if (ProcessEvents) {
            const std::function<void()> processEvents = ProcessEvents;
            processEvents();
            if (!*listing.alive || generation_ != listing.generation)
                return false;
        }
    }
    return true;
}

void FileListing::AddColumnValues(FileListEntry* entry, const std::string& folder,
                                  const FindData& data, Listing& listing) {
    if (entry) {
        std::vector<std::string>& columns = entry->Columns;
        const bool folderEntry = entry->IsFolder;
        columns.push_back(folderEntry ? std::string() : SizeText(data.Size));
        if (Selected(fiType))
            columns.push_back(folderEntry ? listing.folderTypeName : entry->TypeName);
        if (Selected(fiModified))
            columns.push_back(shell_.DateTimeText(data.LastWriteTime));
        if (Selected(fiCreated))
            columns.push_back(shell_.DateTimeText(data.CreationTime));
        if (Selected(fiLastAccess))
            columns.push_back(shell_.DateTimeText(data.LastAccessTime));
        if (Selected(fiAttributes))
            columns.push_back(AttributeLetters(data));
        if (Selected(fiDosName))
            columns.push_back(data.DosName);
        if (Selected(fiDosExt)) {
            const std::size_t dot = data.DosName.rfind('.');
            columns.push_back(dot == std::string::npos ? std::string() : data.DosName.substr(dot));
        }
        if (Selected(fiPath))
            columns.push_back(folder);
    }
    if (OnFileAdd) {
        const auto onFileAdd = OnFileAdd;
        onFileAdd(*this, entry, folder, data);
    }
}

bool FileListing::IsConsistent() const {
    if (columns_.size() != infoOfColumn_.size() || columns_.size() < 2)
        return false;
    for (int column = 0; column < static_cast<int>(infoOfColumn_.size()); ++column) {
        if (ColumnOf(infoOfColumn_[column]) != column)
            return false;
    }
    const auto firstFile = std::find_if(entries_.begin(), entries_.end(),
                                        [](const FileListEntry& e) { return !e.IsFolder; });
    return std::none_of(firstFile, entries_.end(),
                        [](const FileListEntry& e) { return e.IsFolder; });
}
