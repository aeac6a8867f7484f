#pragma once

#include <cstdint>
#include <string>

#include "services/SharedText.h"

// ShellInfo: what the desktop shows for a path: its display name, the description of its type
// and its icon, as an index into the one process-wide icon list (ShellIconList in the UI
// layer; -1 for none). Types are found by the name alone: a file is never opened, read or even
// looked at on disk, so listing a folder of 20,000 files costs no file access here. Each type's
// description and icon are worked out once and cached for the life of the object.
// User-interface thread only; every call returns at once and never throws.
class ShellInfo {
public:
    struct Info {
        std::string DisplayName;  // the name as a file manager shows it
        SharedText TypeName;      // "MP3 audio", "Folder"
        int IconIndex = -1;
    };

    virtual ~ShellInfo() = default;

    // A file, or a folder when isFolder (the caller knows; the service does not look).
    // The display name is the whole last component, extension included; the home folder is
    // "Home" and the root "/" is "File System".
    virtual Info FileInfo(const std::string& path, bool isFolder) = 0;
    // The type name and icon every folder shows; DisplayName is empty.
    virtual Info FolderInfo() = 0;
    // A file time as the user's locale shows it: the short date, two spaces, the short time
    // without seconds. seconds counts from 1970-01-01 UTC; the text is in local time.
    virtual std::string DateTimeText(std::int64_t seconds) = 0;
};
