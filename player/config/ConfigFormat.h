#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "config/ConfigState.h"

// The fixed words of the configuration file, shared by its reader and its writer. Reading
// compares them exactly, letter case included.

inline constexpr std::string_view kConfigFileName = "Qvrl.ini";
inline constexpr std::string_view kConfigHeader = "Quavrel v2.0 ConfigFile";

// The dock names of lines 13, 16, 19 and 22: "dNone", "dTop1", "dBottom", "dLeft", "dRight".
std::string DockToText(DockSide dock);
// The dock a name stands for; nothing for a name that is none of the five.
std::optional<DockSide> DockFromText(std::string_view text);
