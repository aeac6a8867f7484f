#pragma once

#include "mixer/MixerApi.h"
#include "mixer/TMixerConnections.h"
#include "mixer/TMixerControls.h"

class TAudioMixer;

// One destination line (an output) with its own controls and its source lines.
class TMixerDestination {
public:
    TMixerDestination(const TAudioMixer& mixer, const MixerLine& line);

    const TAudioMixer& Mixer() const { return mixer_; }
    const MixerLine& Line() const { return line_; }
    const TMixerControls& Controls() const { return controls_; }
    const TMixerConnections& Connections() const { return connections_; }

private:
    const TAudioMixer& mixer_;
    MixerLine line_;
    // Built in this order, as designed: the source lines first, then the line's own controls.
    TMixerConnections connections_;
    TMixerControls controls_;
};
