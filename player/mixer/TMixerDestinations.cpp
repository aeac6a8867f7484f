#include "mixer/TMixerDestinations.h"

#include <memory>

#include "mixer/TAudioMixer.h"

TMixerDestinations::TMixerDestinations(const TAudioMixer& mixer, int count) {
    for (int destination = 0; destination < count; ++destination) {
        const auto line = mixer.Api().GetDestinationLine(mixer.MixerHandle(), destination);
        if (line)
            Add(std::make_unique<TMixerDestination>(mixer, *line));
    }
}
