#include "config/ConfigWriter.h"

#include <filesystem>

#include "config/ConfigFormat.h"
#include "textfile/FileErrors.h"
#include "textfile/TextLineWriter.h"

namespace {

const char* Word(bool on, const char* yes, const char* no) {
    return on ? yes : no;
}

}  // namespace

void WriteConfig(const std::string& path, const ConfigState& state) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) {
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (error && !std::filesystem::is_directory(folder))
            throw EInOutError(error.value());
    }
    TextLineWriter out(path);
    const auto number = [&out](std::int32_t value) { out.WriteLine(std::to_string(value)); };
    out.WriteLine(kConfigHeader);
    out.WriteLine("[Basic Config]");
    out.WriteLine(state.lastPlayListFile);
    out.WriteLine(state.viewStyle);
    out.WriteLine("[Window Coordinates]");
    if (state.maximized)
        out.WriteLine("Maximized");
    else
        number(state.left);
    number(state.top);
    number(state.width);
    number(state.height);
    out.WriteLine(Word(state.explorerVisible, "PVisible", "PInVisible"));
    number(state.explorerHeight);
    out.WriteLine("[Toolbar Coordinates]");
    for (ToolbarId toolbar : kToolbarFileOrder) {
        const ToolbarPlace& place = state.Toolbar(toolbar);
        out.WriteLine(DockToText(place.dock));
        number(place.left);
        number(place.top);
    }
    number(state.trackBarWidth);
    number(state.trackBarHeight);
    out.WriteLine(Word(state.formVisible, "FormVisible", "FormHidden"));
    out.WriteLine(Word(state.hotTrack, "HotTrack", "NoHotTrack"));
    out.WriteLine("[Toolbar Options]");
    out.WriteLine(Word(state.functionsVisible, "FVisible", "FInVisible"));
    out.WriteLine(Word(state.systemVisible, "SVisible", "SInVisible"));
    out.WriteLine(Word(state.optionsVisible, "OVisible", "OInVisible"));
    out.WriteLine(Word(state.loop, "Loop", "NoLoop"));
    out.WriteLine(Word(state.shuffle, "Shuffle", "NoShuffle"));
    out.WriteLine(Word(state.textOnButtons, "Text", "NoText"));
    out.WriteLine(state.browseDir);
    out.WriteLine(Word(state.filtering, "Filtering ON", "Filtering OFF"));
    out.WriteLine("RollerDown");
    out.WriteLine(state.playListDir);
    out.WriteLine(Word(state.normalColors, "NormalColors", "DefaultColors"));
    out.Commit();
}
