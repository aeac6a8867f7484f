#pragma once

#include <map>
#include <optional>
#include <string>

// Dialogs: the open and save file dialogs for play list files. Modal, on the user-interface
// thread; a nested event loop runs while they are open. The filter is written as the program
// writes it, "Name|*.ext|Name|*.ext"; the chosen filter's index counts from 1.
class Dialogs {
public:
    struct Request {
        std::string title;
        std::string filter;
        std::string initialDir;
        std::string fileName;
        std::string defaultExt;  // without the dot; added when the typed name has none
        // Types whose own extension is added instead while they are chosen (filter index from
        // 1, extension without the dot).
        std::map<int, std::string> typeExts;
    };
    struct Choice {
        std::string path;
        int filterIndex = 1;
    };

    virtual ~Dialogs() = default;

    // Returns the chosen file, or nothing when the user cancelled.
    virtual std::optional<Choice> OpenFile(const Request& request) = 0;
    virtual std::optional<Choice> SaveFile(const Request& request) = 0;
};
