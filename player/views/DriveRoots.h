#pragma once

#include <string>
#include <string_view>
#include <vector>

// How the directory tree treats a root: a removable one is not touched until the user expands
// it; a network one is left out while the tree does not allow network drives.
enum class DriveKind { Home, FileSystem, Fixed, Removable, Network };

// One top-level node of the directory tree. Path always ends with "/".
struct DriveRoot {
    std::string Path;
    std::string Caption;
    DriveKind Kind = DriveKind::Fixed;

    bool operator==(const DriveRoot&) const = default;
};

// The tree's "drives" on Linux: the home folder ("Home"), the root file system ("File System"),
// then each volume mounted under /media, /run/media or /mnt, by mount point. A volume shows its
// label when /dev/disk/by-label names one for its device, else its mount folder's name.
// Read anew on every call, so volumes mounted since the last reading appear. Never throws:
// an unreadable mount table gives the two fixed roots only.
class DriveRoots {
public:
    // The system's: $HOME, /proc/self/mounts, /dev/disk/by-label.
    DriveRoots();
    // Tests point the three at files and folders of their own.
    DriveRoots(std::string home, std::string mountTable, std::string labelFolder);

    std::vector<DriveRoot> Read() const;

    // The volumes of a mount table's text ("device mountpoint type options 0 0" per line, with
    // octal escapes such as \040 for a blank), in mount point order; the last of several mounts
    // on one point wins, as it is the one the folder shows.
    std::vector<DriveRoot> Volumes(std::string_view mountTable) const;

    // The user's desktop trash folder with a trailing "/": $XDG_DATA_HOME/Trash/, or
    // $HOME/.local/share/Trash/ when XDG_DATA_HOME is unset or empty.
    static std::string HomeTrash();
    // The process's current folder with a trailing "/", or "" when it cannot be read.
    static std::string CurrentFolder();

private:
    std::string Label(const std::string& device) const;

    std::string home_;
    std::string mountTable_;
    std::string labelFolder_;
};
