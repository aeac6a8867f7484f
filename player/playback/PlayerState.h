#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The state the main window's concerns share: plain fields, owned by the window and handed by
// reference to the logic that reads and writes them (the sequencer, the editor, the
// configuration). Tests and benchmarks make one of their own. User-interface thread only.
struct PlayerState {
    std::uint8_t ShuffleOn = 0;       // 1 while shuffle is on: "next" picks a random entry
    std::uint8_t PlayMode = 0;        // 0 normal, 1 preview (each file plays PMLen seconds)
    std::uint8_t LoopOn = 1;          // 1 while loop is on: the list starts again after its end
    std::int32_t PreviewTicks = 0;    // 200 ms timer ticks the file has played in preview
    std::string LastPlayListFile;     // the list loaded at start and saved at close (Qvrl.ini)
    std::string CurrentListFile;      // the list last loaded or saved; the save dialog offers it
    std::string PlayListDir;          // the folder the load and save dialogs open in
    std::string BrowseDir;            // the explorer pane's folder
    int DragSourceItem = -1;          // index of the entry a reordering drag started on; -1 none
    std::uint8_t ShowRemaining = 0;   // 1 while the LCD counts the time left, 0 the time played
    std::uint8_t StopAfterEntry = 0;  // 1: the entry that plays is the last; clears itself
    std::string NowPlayingText;       // the caption of what plays, for the title and the tooltip
    // The entry that plays or played last; sorting by name moves it with its entry.
    std::int32_t PlayIndex = 0;
    // The extensions the type filter lets in (Qvrl.flt); null before FormCreate, after FormClose.
    std::unique_ptr<std::vector<std::string>> FilterList;
    std::uint8_t FilteringOn = 1;    // 1 while drops and adds pass the type filter
    std::uint8_t WindowsColors = 0;  // 1 while the system colours are in force, 0 the dark ones
    std::int32_t ButtonWidth = 44;   // the size of the toolbars' picture buttons, in pixels
    std::int32_t ButtonHeight = 41;
};
