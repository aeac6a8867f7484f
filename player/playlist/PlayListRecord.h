#pragma once

#include <string>

// One record of a play list file: the caption shown for the entry and the path it plays.
// M3U files hold no captions; their records leave Caption empty.
struct PlayListRecord {
    std::string Caption;
    std::string Path;

    bool operator==(const PlayListRecord&) const = default;
};
