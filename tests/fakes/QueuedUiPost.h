#pragma once

#include <chrono>
#include <condition_variable>
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
        posted_.notify_all();
    }
    // Waits until a call is posted (or one is waiting already), at most limit; whether one is.
    // For calls posted by worker threads.
    bool WaitForCall(std::chrono::milliseconds limit = std::chrono::seconds(20)) {
        std::unique_lock lock(mutex_);
        return posted_.wait_for(lock, limit, [this] { return !calls_.empty(); });
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
    std::condition_variable posted_;
    std::deque<std::function<void()>> calls_;
};
