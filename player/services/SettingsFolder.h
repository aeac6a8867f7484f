#pragma once

#include <string>

// The folder that holds the player's settings files: $XDG_CONFIG_HOME/quavrel, or
// $HOME/.config/quavrel when XDG_CONFIG_HOME is unset or empty. Not created here: the writer
// makes it when a file is first written.
std::string SettingsFolder();
