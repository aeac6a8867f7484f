#include "config/ConfigReader.h"

#include <array>

#include "config/ConfigFormat.h"
#include "config/StrToInt.h"
#include "textfile/TextLineReader.h"

namespace {

// Lines 5 to 11: where the window stands and the explorer pane's height.
void ApplyWindow(TextLineReader& reader, ConfigTarget& target) {
    reader.ReadLine();  // [Window Coordinates]
    const std::string leftOrMaximized = reader.ReadLine();
    if (leftOrMaximized == "Maximized") {
        target.Maximize();
        for (int skipped = 0; skipped < 3; ++skipped)
            reader.ReadLine();
    } else {
        target.SetFormLeft(StrToInt(leftOrMaximized));
        target.SetFormTop(StrToInt(reader.ReadLine()));
        target.SetFormWidth(StrToInt(reader.ReadLine()));
        target.SetFormHeight(StrToInt(reader.ReadLine()));
    }
    if (reader.ReadLine() == "PInVisible")
        target.HideExplorer();
    target.SetExplorerHeight(StrToInt(reader.ReadLine()));
}

// Lines 12 to 24: the toolbars' docks and places; returns the places read.
std::array<ToolbarPlace, 4> ApplyToolbarPlaces(TextLineReader& reader, ConfigTarget& target) {
    reader.ReadLine();  // [Toolbar Coordinates]
    std::array<ToolbarPlace, 4> remembered{};
    for (ToolbarId toolbar : kToolbarFileOrder) {
        ToolbarPlace& place = remembered[static_cast<std::size_t>(toolbar)];
        if (const auto dock = DockFromText(reader.ReadLine()))
            target.SetToolbarDock(toolbar, *dock);
        place.left = StrToInt(reader.ReadLine());
        target.SetToolbarLeft(toolbar, place.left);
        place.top = StrToInt(reader.ReadLine());
        target.SetToolbarTop(toolbar, place.top);
    }
    return remembered;
}

// Lines 25 to 40: the track bar, the toolbar options, the modes and the folders; returns the
// browsing folder, which is applied last.
std::string ApplyOptions(TextLineReader& reader, ConfigTarget& target) {
    target.SetTrackBarWidth(StrToInt(reader.ReadLine()));
    target.SetTrackBarHeight(StrToInt(reader.ReadLine()));
    if (reader.ReadLine() == "FormVisible")
        target.ShowForm();
    target.SetHotTrack(reader.ReadLine() == "HotTrack");

    reader.ReadLine();  // [Toolbar Options]
    if (reader.ReadLine() == "FInVisible")
        target.HideToolbar(ToolbarId::Functions);
    if (reader.ReadLine() == "SInVisible")
        target.HideToolbar(ToolbarId::System);
    if (reader.ReadLine() == "OInVisible")
        target.HideToolbar(ToolbarId::Options);
    target.AfterToolbarOptions();
    target.SetLoop(reader.ReadLine() == "Loop");
    target.SetShuffle(reader.ReadLine() == "Shuffle");
    if (reader.ReadLine() == "NoText")
        target.TextOff();
    std::string browseDir = reader.ReadLine();
    if (reader.ReadLine() == "Filtering OFF")
        target.FilteringOff();
    reader.ReadLine();  // RollerDown, whatever it says
    target.SetPlayListDir(reader.ReadLine());
    if (reader.ReadLine() == "NormalColors")
        target.UseNormalColors();
    return browseDir;
}

}  // namespace

bool ApplyConfig(TextLineReader& reader, ConfigTarget& target) {
    if (reader.ReadLine() != kConfigHeader)
        return false;
    reader.ReadLine();  // [Basic Config]
    target.SetLastPlayListFile(reader.ReadLine());
    const std::string style = reader.ReadLine();
    if (style == "Large Icon" || style == "Small Icon" || style == "Detailed" || style == "List")
        target.SetViewStyle(style);
    ApplyWindow(reader, target);
    const std::array<ToolbarPlace, 4> remembered = ApplyToolbarPlaces(reader, target);
    const std::string browseDir = ApplyOptions(reader, target);

    // Docking one toolbar can push another aside; the positions read win in the end.
    for (ToolbarId toolbar :
         {ToolbarId::Options, ToolbarId::Functions, ToolbarId::System, ToolbarId::TrackBar}) {
        const ToolbarPlace& place = remembered[static_cast<std::size_t>(toolbar)];
        target.SetToolbarLeft(toolbar, place.left);
        target.SetToolbarTop(toolbar, place.top);
    }
    target.SetBrowseDir(browseDir);
    return true;
}
