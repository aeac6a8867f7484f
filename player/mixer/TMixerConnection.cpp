#include "mixer/TMixerConnection.h"

TMixerConnection::TMixerConnection(const TAudioMixer& mixer, const MixerLine& line)
    : mixer_(mixer), line_(line), controls_(mixer, line_) {}
