#include "mixer/TMixerDestination.h"

TMixerDestination::TMixerDestination(const TAudioMixer& mixer, const MixerLine& line)
    : mixer_(mixer), line_(line), connections_(mixer, line_), controls_(mixer, line_) {}
