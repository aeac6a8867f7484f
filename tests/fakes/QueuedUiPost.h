#pragma once

#include <deque>
#include <functional>
#include <mutex>

#include "services/UiPost.h"

// Keeps posted calls until the test runs them, so a test decides when "later" is.
class QueuedUiPost final : public UiPost {
public:
    void Post(std::function<void()> call) override {
        std::lock_guard lock(mutex_);
        calls_.push_back(std::move(call));
    }
    // Runs the calls posted so far and those they post; returns how many ran.
    int RunAll() {
        int ran = 0;
        for (;;) {
            std::function<void()> call;
            {
                std::lock_guard lock(mutex_);
                if (calls_.empty())
                    return ran;
                call = std::move(calls_.front());
                calls_.pop_front();
            }
            call();
            ++ran;
        }
    }

private:
    std::mutex mutex_;
    std::deque<std::function<void()>> calls_;
};
