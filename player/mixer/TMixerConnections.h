#pragma once

#include "mixer/MixerApi.h"
#include "mixer/TMixerConnection.h"
#include "mixer/TPointerList.h"

class TAudioMixer;

// The source lines of one destination that could be read, in source order; a source that
// cannot be read is left out, and those after it move up one place.
class TMixerConnections : public TPointerList<TMixerConnection> {
public:
    TMixerConnections(const TAudioMixer& mixer, const MixerLine& destination);

    const TAudioMixer& Mixer() const { return mixer_; }

private:
    const TAudioMixer& mixer_;
};
