#pragma once

#include <cstdint>
#include <string>

// The main window's fields that the play order reads and writes, by reference: the fields stay
// on the window, where every concern reads them, and the sequencer works on them directly.
struct SequencerState {
    std::uint8_t& ShuffleOn;
    std::uint8_t& LoopOn;
    std::uint8_t& PlayMode;  // 0 normal, 1 preview
    std::int32_t& PreviewTicks;
    std::int32_t& PlayIndex;
    std::string& NowPlayingText;
    int& DragSourceItem;  // index of an entry; -1 none
    std::uint8_t& ShowRemaining;
};
