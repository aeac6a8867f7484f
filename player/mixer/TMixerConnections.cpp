#include "mixer/TMixerConnections.h"

#include <memory>

#include "mixer/TAudioMixer.h"

TMixerConnections::TMixerConnections(const TAudioMixer& mixer, const MixerLine& destination)
    : mixer_(mixer) {
    for (int source = 0; source < destination.Connections; ++source) {
        const auto line =
            mixer.Api().GetSourceLine(mixer.MixerHandle(), destination.Destination, source);
        if (line)
            Add(std::make_unique<TMixerConnection>(mixer, *line));
    }
}
