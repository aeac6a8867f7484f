#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <thread>

#include "mixer/MixerApi.h"

class PulseMainloop;

// Listens on a thread of its own, over a connection of its own, for the PulseAudio server's
// changes to sinks, streams and the default sink, and hands each to Announce as the mixer's
// notice with the line's or control's ID (see PulseMixerIds.h): a changed sink or stream is a
// control change of its volume control, one that came or went a line change, a changed
// server (the default sink) a line change with ID 0.
//
// When the server goes away the listener says so (a line change with ID 0), tries again every
// RetryDelay, and says so again once it is back.
//
// Announce runs on the listener's thread, so it must do nothing but post the notice to the
// user-interface thread; it must not block or throw.
class PulseNoticeListener {
public:
    using Announce = std::function<void(MixerNotice, std::uint32_t)>;

    static constexpr std::chrono::milliseconds RetryDelay{1000};

    PulseNoticeListener(std::string server, Announce announce);
    // Stops the thread and waits for it.
    ~PulseNoticeListener();
    PulseNoticeListener(const PulseNoticeListener&) = delete;
    PulseNoticeListener& operator=(const PulseNoticeListener&) = delete;

    // Starts the thread and blocks until the server has taken the subscription (then true:
    // every change after this is announced) or the timeout ran out (false).
    bool Start(std::chrono::milliseconds timeout);

private:
    void Run(std::promise<bool> subscribed);
    // One connection, from connecting to its end; false when it never got subscribed. The
    // first one answers Start through firstSubscription.
    bool Listen(std::promise<bool>* firstSubscription);
    void Tell(MixerNotice notice, std::uint32_t id) noexcept;

    std::string server_;
    Announce announce_;
    std::unique_ptr<PulseMainloop> mainloop_;  // turned by the thread; woken by the destructor
    std::atomic<bool> stop_{false};
    std::thread thread_;
};
