#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "playlist/PlayListEntry.h"

class PlayList;
class ShellInfo;

// AddFile of the file list views, without a view: the one way entries are made from a path.
// An http:// or https:// address becomes a stream's entry as it is, without a look at the
// network (whether the station answers is found out when it plays). A path that names nothing is
// refused, and so is anything but a regular file or a folder (devices, pipes and sockets would hold
// whoever opens them); a file must pass the type filter and be no play list file (a list is read as
// a list, never played: a list that names itself or another list ends at once); a folder is walked
// depth first, in the order the file system returns its entries, each accepted regular file
// becoming an entry (devices, pipes and sockets never do, filtering on or off); a folder with
// no entry at all becomes one entry itself. Each real folder is entered once per call, so a
// symbolic link back up the tree cannot make the walk endless. The walk never enters the
// kernel's own file systems (proc, sysfs, devtmpfs, cgroup, debugfs, tracefs) nor an automount
// point, whose folders are endless, change as they are read, or hang: they are not added either.
// Blocks on the file system; user-interface thread (ShellInfo's rule).
class FileAdder {
public:
    // The type filter's test of a path (PassesFilter over the main window's list and switch).
    using FilterTest = std::function<bool(const std::string& path)>;
    // Appends an entry at the end of a view and returns its index.
    using Append = std::function<int(PlayListEntry entry)>;
    // Called during a folder walk after each directory entry looked at, with the number of
    // entries made so far by this call. Returning false cancels the walk at once: what was
    // added stays, nothing more is added. It may run the event loop (a progress dialog).
    using Progress = std::function<bool(int added)>;

    // shell must outlive the adder. A null filter lets every file pass.
    FileAdder(ShellInfo& shell, FilterTest passesFilter);

    void SetFilter(FilterTest passesFilter) { passesFilter_ = std::move(passesFilter); }

    // Adds path through append. Returns the index of the one entry made for a file or for an
    // empty folder; -1 when the path was refused, was a folder whose files were added, or the
    // walk was cancelled.
    int AddFile(const std::string& path, const Append& append, const Progress& progress = {}) const;
    // Adds path at the end of list, every entry of a folder walk in one batch (one notice to
    // the list's observers), also what a cancelled walk found. Returns as above, the index
    // being the entry's in list.
    int AddFile(const std::string& path, PlayList& list, const Progress& progress = {}) const;

    // The entry for one file known to exist: its display name, type name and icon, Path as
    // given. None when the filter refuses it. (The explorer lists play list files with it, to
    // be dragged as lists; AddFile never makes them entries.)
    std::optional<PlayListEntry> FileEntry(const std::string& path) const;

    // The entry of an internet stream: its address as caption and path.
    static PlayListEntry StreamEntry(const std::string& address);
    static constexpr const char* StreamTypeName = "Internet stream";

    // The entry a folder makes of itself (display name, folder type name and icon).
    PlayListEntry FolderEntry(const std::string& path) const;

    // The devices of the mounts a walk never enters, from the text of a mountinfo table
    // (/proc/self/mountinfo: "id parent major:minor root mountpoint options... - type ...").
    static std::set<dev_t> ExcludedDevices(std::string_view mountInfo);
    // Where the system's table is read from; tests point it elsewhere. "" reads none.
    void SetMountInfoFile(std::string file) { mountInfoFile_ = std::move(file); }

    // While a Session lives, a path is looked up from an open handle on its folder, kept from
    // one path to the next of the same folder: a list of 100,000 files in a few folders walks
    // each folder's path once rather than once per file. For one load of a list; a folder
    // renamed meanwhile may still be found under its old name until the load ends.
    class Session {
    public:
        explicit Session(const FileAdder& adder);
        ~Session();
        Session(const Session&) = delete;
        Session& operator=(const Session&) = delete;

    private:
        const FileAdder& adder_;
    };

private:
    struct Walk;
    // stat(2) of path, through the session's folder handle while one lives.
    int StatPath(const std::string& path, struct stat& info) const;
    int Add(const std::string& path, const Append& append, Walk& walk) const;
    int AddFolder(const std::string& path, const Append& append, Walk& walk) const;
    // FileEntry for a file to be played: none for a play list file.
    std::optional<PlayListEntry> MediaEntry(const std::string& path) const;

    ShellInfo& shell_;
    FilterTest passesFilter_;
    std::string mountInfoFile_ = "/proc/self/mountinfo";
    mutable bool session_ = false;
    mutable std::string sessionFolder_;  // the folder sessionFd_ stands for
    mutable int sessionFd_ = -1;
};
