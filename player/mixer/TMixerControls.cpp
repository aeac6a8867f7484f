#include "mixer/TMixerControls.h"

#include "mixer/TAudioMixer.h"

TMixerControls::TMixerControls(const TAudioMixer& mixer, const MixerLine& line) {
    auto controls = mixer.Api().GetLineControls(mixer.MixerHandle(), line.LineID);
    if (!controls)
        return;
    // The block never grows after this, so the pointers into it stay valid.
    block_ = std::move(*controls);
    for (const MixerControl& control : block_)
        list_.Add(decltype(list_)::Item(&control));
}

bool TMixerControls::IsConsistent() const {
    if (Count() != static_cast<int>(block_.size()))
        return false;
    for (int i = 0; i < Count(); ++i)
        if (Items(i) != &block_[static_cast<std::size_t>(i)])
            return false;
    return true;
}
