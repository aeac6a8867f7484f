#include "mixer/PulseMainloop.h"

#include <pulse/mainloop.h>

#include <new>

PulseMainloop::PulseMainloop() : mainloop_(pa_mainloop_new()) {
    if (!mainloop_)
        throw std::bad_alloc();
}

PulseMainloop::~PulseMainloop() {
    pa_mainloop_free(mainloop_);
}

pa_mainloop_api* PulseMainloop::Api() const {
    return pa_mainloop_get_api(mainloop_);
}

bool PulseMainloop::RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + timeout;
    while (!done()) {
        const auto left =
            std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return false;
        if (pa_mainloop_prepare(mainloop_, static_cast<int>(left.count())) < 0 ||
            pa_mainloop_poll(mainloop_) < 0 || pa_mainloop_dispatch(mainloop_) < 0)
            return false;
    }
    return true;
}

bool PulseMainloop::Iterate() {
    return pa_mainloop_iterate(mainloop_, 1, nullptr) >= 0;
}

void PulseMainloop::Wakeup() {
    pa_mainloop_wakeup(mainloop_);
}
