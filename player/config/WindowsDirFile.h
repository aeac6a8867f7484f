#pragma once

#include <string>
#include <string_view>

// The path of a settings file: the settings folder (what the program once called the Windows
// folder), "/", and the name, with nothing inserted or removed between them.
std::string WindowsDirFile(const std::string& settingsFolder, std::string_view name);
