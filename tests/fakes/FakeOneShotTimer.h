#pragma once

#include <functional>
#include <utility>

#include "services/OneShotTimer.h"

// A timer the test fires: it keeps the waiting call and its delay until Fire.
class FakeOneShotTimer final : public OneShotTimer {
public:
    void Start(std::int64_t delayMs, std::function<void()> call) override {
        delay = delayMs;
        call_ = std::move(call);
    }
    void Cancel() override { call_ = {}; }
    bool Waiting() const { return static_cast<bool>(call_); }
    // Runs the waiting call, if any, as the event loop would.
    void Fire() {
        std::function<void()> call = std::move(call_);
        call_ = {};
        if (call)
            call();
    }

    std::int64_t delay = -1;  // of the last Start

private:
    std::function<void()> call_;
};
