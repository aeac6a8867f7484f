#pragma once

#include <chrono>
#include <functional>

struct pa_mainloop;
struct pa_mainloop_api;

// Owns one libpulse main loop (pa_mainloop). It runs only when its owner turns it: inside
// RunUntil, or Iterate on the owner's thread. Wakeup is the one call that another thread may
// make.
class PulseMainloop {
public:
    PulseMainloop();
    ~PulseMainloop();
    PulseMainloop(const PulseMainloop&) = delete;
    PulseMainloop& operator=(const PulseMainloop&) = delete;

    pa_mainloop_api* Api() const;
    // Dispatches events until done() holds; false when the timeout ran out first or the loop
    // failed. The callbacks run on the calling thread, inside this call.
    bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);
    // Waits for events (blocking) and dispatches them; false once the loop has failed or was
    // woken to quit.
    bool Iterate();
    // Interrupts a blocked Iterate from any thread.
    void Wakeup();

private:
    pa_mainloop* mainloop_;
};
