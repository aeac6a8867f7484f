#pragma once

#include <functional>

// UiPost: the one way a foreign thread (libmpv's and libpulse's callbacks) reaches the
// user-interface thread. Post may be called from any thread, never blocks and never runs the
// call itself: the call runs later on the user-interface thread, in posting order, between
// other events. A call posted while the application is shutting down may never run, so the
// call must not own anything that needs releasing.
class UiPost {
public:
    virtual ~UiPost() = default;

    virtual void Post(std::function<void()> call) = 0;
};
