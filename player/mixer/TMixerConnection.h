#pragma once

#include "mixer/MixerApi.h"
#include "mixer/TMixerControls.h"

class TAudioMixer;

// One source line of a destination (on PulseAudio: a stream playing into the output), with
// its controls.
class TMixerConnection {
public:
    TMixerConnection(const TAudioMixer& mixer, const MixerLine& line);

    const TAudioMixer& Mixer() const { return mixer_; }
    const MixerLine& Line() const { return line_; }
    const TMixerControls& Controls() const { return controls_; }

private:
    const TAudioMixer& mixer_;
    MixerLine line_;
    TMixerControls controls_;
};
