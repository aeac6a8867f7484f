#pragma once

#include <array>
#include <cstdint>
#include <string>

// The settings the configuration file Qvrl.ini keeps, one field per value line, as the window
// reports them at close. The writer turns this into the file's 40 lines; the file carries no
// keys, so a value's meaning is its line.

// The docks a toolbar can stand in; None is floating.
enum class DockSide { None, Top, Bottom, Left, Right };

// The four toolbars in the order the file stores them (lines 13 to 24).
enum class ToolbarId { Options, System, Functions, TrackBar };
inline constexpr std::array<ToolbarId, 4> kToolbarFileOrder{
    ToolbarId::Options, ToolbarId::System, ToolbarId::Functions, ToolbarId::TrackBar};

// Where a toolbar stands: its dock, and its left and top, in pixels, within that dock, or on
// the screen while it floats.
struct ToolbarPlace {
    DockSide dock = DockSide::Top;
    std::int32_t left = 0;
    std::int32_t top = 0;
};

struct ConfigState {
    std::string lastPlayListFile;    // line 3, written as it stands
    std::string viewStyle = "List";  // line 4: "Large Icon", "Small Icon", "Detailed" or "List"
    bool maximized = false;          // line 6 "Maximized" instead of the left edge
    std::int32_t left = 0, top = 0, width = 410, height = 458;  // lines 6 to 9
    bool explorerVisible = true;                                // line 10
    std::int32_t explorerHeight = 151;                          // line 11
    std::array<ToolbarPlace, 4> toolbars{};                 // lines 13 to 24, indexed by ToolbarId
    std::int32_t trackBarWidth = 303, trackBarHeight = 25;  // lines 25, 26
    bool formVisible = true;                                // line 27
    bool hotTrack = true;                                   // line 28
    bool functionsVisible = true, systemVisible = true, optionsVisible = true;  // lines 30 to 32
    bool loop = true;                                                           // line 33
    bool shuffle = false;                                                       // line 34
    bool textOnButtons = true;                                                  // line 35
    std::string browseDir;                                                      // line 36
    bool filtering = true;                                                      // line 37
    std::string playListDir;                                                    // line 39
    bool normalColors = false;                                                  // line 40

    ToolbarPlace& Toolbar(ToolbarId id) { return toolbars[static_cast<std::size_t>(id)]; }
    const ToolbarPlace& Toolbar(ToolbarId id) const {
        return toolbars[static_cast<std::size_t>(id)];
    }
};
