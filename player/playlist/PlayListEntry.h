#pragma once

#include <memory>
#include <string>

#include "playlist/TrackTags.h"
#include "services/SharedText.h"

// One entry of the play list. Entries carry no identity beyond their position: duplicates are
// allowed, and a play list file stores Caption and Path only.
struct PlayListEntry {
    PlayListEntry() = default;
    PlayListEntry(std::string caption, SharedText typeName, std::string path, int iconIndex = -1)
        : Caption(std::move(caption)),
          TypeName(typeName),
          Path(std::move(path)),
          IconIndex(iconIndex) {}

    std::string Caption;  // display name; the user may edit it
    SharedText TypeName;  // the file type's description, "MP3 audio"; shared by the type's entries
    std::string Path;     // full path exactly as added: what is played and what files store
    // The file's tags once read in the background; null until then, and for a file that has
    // none or could not be read. Shared, never changed in place: a new read replaces it.
    std::shared_ptr<const TrackTags> Tags;
    // Last, so that the play list's selected mark fits in the tail padding after it.
    int IconIndex = -1;  // index into the process-wide icon list

    bool operator==(const PlayListEntry&) const = default;
};
