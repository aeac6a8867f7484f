#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The state the main window's concerns share: plain fields, owned by the window and handed by
// reference to the logic that reads and writes them (the sequencer, the editor, the
// configuration). Tests and benchmarks make one of their own. User-interface thread only.
struct PlayerState {
    std::uint8_t ShuffleOn = 0;
    std::uint8_t PlayMode = 0;  // 0 normal, 1 preview
    std::uint8_t LoopOn = 1;
    std::int32_t PreviewTicks = 0;
    std::string LastPlayListFile;
    std::string CurrentListFile;
    std::string PlayListDir;
    std::string BrowseDir;
    int DragSourceItem = -1;  // index of the entry a reordering drag started on; -1 none
    std::uint8_t ShowRemaining = 0;
    std::uint8_t StopAfterEntry = 0;  // 1: the entry that plays is the last; clears itself
    std::string NowPlayingText;
    std::int32_t PlayIndex = 0;
    std::unique_ptr<std::vector<std::string>> FilterList;
    std::uint8_t FilteringOn = 1;
    std::uint8_t WindowsColors = 0;
    std::int32_t ButtonWidth = 44;
    std::int32_t ButtonHeight = 41;
};
