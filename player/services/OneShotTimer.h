#pragma once

#include <cstdint>
#include <functional>

// OneShotTimer: runs a call once, after a delay, on the user-interface thread, between other
// events: never inside the call that started it. Start replaces a call still waiting; Cancel
// drops it. A late wake-up (a busy thread) runs the call late, never early by more than the
// system's timer granularity (a millisecond). User-interface thread only; never throws.
class OneShotTimer {
public:
    virtual ~OneShotTimer() = default;

    virtual void Start(std::int64_t delayMs, std::function<void()> call) = 0;
    virtual void Cancel() = 0;
};
