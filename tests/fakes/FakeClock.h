#pragma once

#include "services/Clock.h"

// A clock that shows what the test set.
class FakeClock final : public Clock {
public:
    explicit FakeClock(std::uint32_t timeOfDayMs = 0) : now_(timeOfDayMs) {}
    void Set(std::uint32_t timeOfDayMs) { now_ = timeOfDayMs; }
    std::uint32_t TimeOfDayMs() const override { return now_; }

private:
    std::uint32_t now_;
};
