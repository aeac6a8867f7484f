#pragma once

#include <string>

#include "services/SharedText.h"

// One entry of the play list. Entries carry no identity beyond their position: duplicates are
// allowed, and a play list file stores Caption and Path only.
struct PlayListEntry {
    std::string Caption;  // display name; the user may edit it
    SharedText TypeName;  // the file type's description, "MP3 audio"; shared by the type's entries
    std::string Path;     // full path exactly as added: what is played and what files store
    int IconIndex = -1;   // index into the process-wide icon list

    bool operator==(const PlayListEntry&) const = default;
};
