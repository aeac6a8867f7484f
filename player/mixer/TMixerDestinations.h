#pragma once

#include "mixer/TMixerDestination.h"
#include "mixer/TPointerList.h"

class TAudioMixer;

// The destination lines of the open device that could be read: item i is the i-th of them,
// so a destination that cannot be read moves those after it up one place.
class TMixerDestinations : public TPointerList<TMixerDestination> {
public:
    // Reads destinations 0 up to count - 1 of the mixer's open device.
    TMixerDestinations(const TAudioMixer& mixer, int count);
};
