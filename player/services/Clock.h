#pragma once

#include <cstdint>

// Clock: the system clock as the player reads it, so that the shuffle order and the preview
// timing repeat exactly in tests (they pass a fixed clock). Called on the user-interface thread
// only; never blocks, never throws.
class Clock {
public:
    virtual ~Clock() = default;

    // Time of day in UTC, in milliseconds since midnight: ((h * 60 + m) * 60 + s) * 1000 + ms.
    virtual std::uint32_t TimeOfDayMs() const = 0;
};
