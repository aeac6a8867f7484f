#pragma once

#include <functional>
#include <optional>
#include <string>

#include "playlist/PlayListEntry.h"

class PlayList;
class ShellInfo;

// AddFile of the file list views, without a view: the one way entries are made from a path.
// A path that names nothing is refused; a file must pass the type filter; a folder is walked
// depth first, in the order the file system returns its entries, each accepted file becoming
// an entry; a folder with no entry at all becomes one entry itself. Each real folder is
// entered once per call, so a symbolic link back up the tree cannot make the walk endless.
// Blocks on the file system; user-interface thread (ShellInfo's rule).
class FileAdder {
public:
    // The type filter's test of a path (PassesFilter over the main window's list and switch).
    using FilterTest = std::function<bool(const std::string& path)>;
    // Appends an entry at the end of a view and returns its index.
    using Append = std::function<int(PlayListEntry entry)>;

    // shell must outlive the adder. A null filter lets every file pass.
    FileAdder(ShellInfo& shell, FilterTest passesFilter);

    void SetFilter(FilterTest passesFilter) { passesFilter_ = std::move(passesFilter); }

    // Adds path through append. Returns the index of the one entry made for a file or for an
    // empty folder; -1 when the path was refused or was a folder whose files were added.
    int AddFile(const std::string& path, const Append& append) const;
    // Adds path at the end of list, every entry of a folder walk in one batch (one notice to
    // the list's observers). Returns as above, the index being the entry's in list.
    int AddFile(const std::string& path, PlayList& list) const;

    // The entry for one file known to exist: its display name, type name and icon, Path as
    // given. None when the filter refuses it.
    std::optional<PlayListEntry> FileEntry(const std::string& path) const;

    // The entry a folder makes of itself (display name, folder type name and icon).
    PlayListEntry FolderEntry(const std::string& path) const;

private:
    struct Walk;
    int Add(const std::string& path, const Append& append, Walk& walk) const;

    ShellInfo& shell_;
    FilterTest passesFilter_;
};
