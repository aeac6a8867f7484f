#pragma once

#include "services/Clock.h"

// The real clock: UTC time of day from std::chrono::system_clock.
class SystemClock final : public Clock {
public:
    std::uint32_t TimeOfDayMs() const override;
};
