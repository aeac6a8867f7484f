#pragma once

#include <map>
#include <string>

#include "services/ShellInfo.h"

// Shell information from a fixed table: "mp3" files are "MP3 audio", "wav" files "WAV audio",
// anything else "File"; folders "Folder". Icons are numbered per type in the order first
// asked for. Dates are "D<seconds>" so a test can tell the three times apart. Counts lookups.
class FakeShellInfo final : public ShellInfo {
public:
    Info FileInfo(const std::string& path, bool isFolder) override {
        ++lookups;
        std::string name = path;
        while (name.size() > 1 && name.back() == '/')
            name.pop_back();
        name = name.substr(name.rfind('/') + 1);
        if (isFolder)
            return Info{name, "Folder", IconOf("Folder")};
        const std::size_t dot = name.rfind('.');
        const std::string extension = dot == std::string::npos ? "" : name.substr(dot + 1);
        std::string type = "File";
        if (extension == "mp3" || extension == "MP3")
            type = "MP3 audio";
        else if (extension == "wav")
            type = "WAV audio";
        return Info{name, type, IconOf(type)};
    }

    Info FolderInfo() override { return Info{"", "Folder", IconOf("Folder")}; }

    std::string DateTimeText(std::int64_t seconds) override {
        return "D" + std::to_string(seconds);
    }

    int lookups = 0;

private:
    int IconOf(const std::string& type) {
        return icons_.try_emplace(type, static_cast<int>(icons_.size())).first->second;
    }

    std::map<std::string, int> icons_;
};
