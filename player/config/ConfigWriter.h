#pragma once

#include <string>

#include "config/ConfigState.h"

// Replaces the configuration file at path with the 40 lines of state, CR LF after each,
// through SaveFile: a failed write leaves the old file whole. The folder is made when missing.
// Throws EInOutError with the runtime's text ("File access denied", "Disk full", ...).
void WriteConfig(const std::string& path, const ConfigState& state);
