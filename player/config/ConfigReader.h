#pragma once

#include <cstdint>
#include <string>

#include "config/ConfigState.h"

class TextLineReader;

// What the configuration reader does to the program: each value is applied through one call,
// right after its line is read, in the file's order. The main window implements it; a call
// may throw, which ends the reading there (the values applied before it stay).
class ConfigTarget {
public:
    virtual ~ConfigTarget() = default;

    virtual void SetLastPlayListFile(const std::string& path) = 0;  // line 3
    // Line 4, only for the four style words ("Large Icon", "Small Icon", "Detailed", "List").
    virtual void SetViewStyle(const std::string& word) = 0;
    virtual void Maximize() = 0;  // line 6 "Maximized"; lines 7 to 9 are then read and ignored
    virtual void SetFormLeft(std::int32_t left) = 0;  // lines 6 to 9 otherwise, in this order
    virtual void SetFormTop(std::int32_t top) = 0;
    virtual void SetFormWidth(std::int32_t width) = 0;
    virtual void SetFormHeight(std::int32_t height) = 0;
    virtual void HideExplorer() = 0;                          // line 10 "PInVisible"
    virtual void SetExplorerHeight(std::int32_t height) = 0;  // line 11
    // Lines 13 to 24, and again for the remembered positions after the last line. The dock is
    // not set for a name that is none of the five: the toolbar then stays where it is.
    virtual void SetToolbarDock(ToolbarId toolbar, DockSide dock) = 0;
    virtual void SetToolbarLeft(ToolbarId toolbar, std::int32_t left) = 0;
    virtual void SetToolbarTop(ToolbarId toolbar, std::int32_t top) = 0;
    virtual void SetTrackBarWidth(std::int32_t width) = 0;    // line 25
    virtual void SetTrackBarHeight(std::int32_t height) = 0;  // line 26
    virtual void ShowForm() = 0;                              // line 27 "FormVisible"
    virtual void SetHotTrack(bool on) = 0;                    // line 28
    // Lines 30 to 32 "FInVisible", "SInVisible", "OInVisible": Functions, System, Options.
    virtual void HideToolbar(ToolbarId toolbar) = 0;
    virtual void AfterToolbarOptions() = 0;                      // after line 32, whatever it held
    virtual void SetLoop(bool on) = 0;                           // line 33
    virtual void SetShuffle(bool on) = 0;                        // line 34
    virtual void TextOff() = 0;                                  // line 35 "NoText"
    virtual void FilteringOff() = 0;                             // line 37 "Filtering OFF"
    virtual void SetPlayListDir(const std::string& folder) = 0;  // line 39
    virtual void UseNormalColors() = 0;                          // line 40 "NormalColors"
    // Line 36, applied last, once the file is read to its end.
    virtual void SetBrowseDir(const std::string& folder) = 0;
};

// Reads the configuration's lines from reader and applies them to target. Returns false,
// having applied nothing, when the first line is not exactly the header. Throws EConvertError
// for a line that must hold a number and does not (an empty line read past the end too), and
// whatever target throws; reading stops there.
bool ApplyConfig(TextLineReader& reader, ConfigTarget& target);
