#include "config/WindowsDirFile.h"

std::string WindowsDirFile(const std::string& settingsFolder, std::string_view name) {
    std::string path = settingsFolder;
    path += '/';
    path += name;
    return path;
}
