#pragma once

#include <string>

// One entry of the play list. Entries carry no identity beyond their position: duplicates are
// allowed, and a play list file stores Caption and Path only.
struct PlayListEntry {
    std::string Caption;   // display name; the user may edit it
    std::string TypeName;  // the file type's description, "MP3 audio"
    std::string Path;      // full path exactly as added: what is played and what files store
    int IconIndex = -1;    // index into the process-wide icon list

    bool operator==(const PlayListEntry&) const = default;
};
