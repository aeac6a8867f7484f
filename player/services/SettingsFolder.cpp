#include "services/SettingsFolder.h"

#include <cstdlib>

std::string SettingsFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config)
        return std::string(config) + "/quavrel";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.config/quavrel";
}
