#pragma once

#include <vector>

#include "mixer/MixerApi.h"
#include "mixer/TPointerList.h"

class TAudioMixer;

// The controls of one line, read once when the line is read: one block of control records and
// a list that points into it, in the mixer's order. A line whose controls cannot be read has
// none.
class TMixerControls {
public:
    TMixerControls(const TAudioMixer& mixer, const MixerLine& line);
    TMixerControls(const TMixerControls&) = delete;
    TMixerControls& operator=(const TMixerControls&) = delete;

    int Count() const { return list_.Count(); }
    // The control at the index, or nullptr; valid as long as this object.
    const MixerControl* Items(int index) const { return list_.Items(index); }
    // Every pointer of the list points at its own record of the block, in order.
    bool IsConsistent() const;

private:
    std::vector<MixerControl> block_;
    TPointerList<const MixerControl, NoRelease<const MixerControl>> list_;
};
