#pragma once

#include <string>
#include <vector>

#include "playlist/PlayListRecord.h"

// VLC's options for playing a part of a file, which it reads in M3U lists ("#EXTVLCOPT:" lines
// before the path) and in XSPF lists (<vlc:option> in the track's VLC extension):
// "start-time=<seconds>" and "stop-time=<seconds>". These are the lines a record that is a part
// of its file (StartMs, EndMs) carries; none for a whole file.
std::vector<std::string> VlcTimeOptions(const PlayListRecord& record);
