#pragma once

#include <string>
#include <vector>

// Lines joined the way the configuration and play list files end them: each with CR LF.
inline std::string Crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// A configuration file that sets every option, each value other than what a fresh start
// writes. The play list (line 3) and the browsed folder (line 36) are the caller's.
inline std::vector<std::string> EveryOptionLines(const std::string& playList,
                                                 const std::string& browseDir) {
    return {"Quavrel v2.0 ConfigFile",
            "[Basic Config]",
            playList,
            "Detailed",
            "[Window Coordinates]",
            "Maximized",
            "0",
            "410",
            "458",
            "PInVisible",
            "120",
            "[Toolbar Coordinates]",
            "dLeft",
            "0",
            "0",
            "dBottom",
            "0",
            "30",
            "dRight",
            "0",
            "0",
            "dTop1",
            "0",
            "0",
            "350",
            "25",
            "FormHidden",
            "NoHotTrack",
            "[Toolbar Options]",
            "FInVisible",
            "SInVisible",
            "OInVisible",
            "NoLoop",
            "Shuffle",
            "NoText",
            browseDir,
            "Filtering OFF",
            "RollerDown",
            "/music/lists/",
            "NormalColors"};
}
