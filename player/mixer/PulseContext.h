#pragma once

#include <string>

struct pa_context;
class PulseMainloop;

// Owns one connection to a PulseAudio server (pa_context) on a main loop that outlives it.
// Used on the main loop's thread only.
class PulseContext {
public:
    PulseContext(PulseMainloop& mainloop, const char* clientName);
    ~PulseContext();
    PulseContext(const PulseContext&) = delete;
    PulseContext& operator=(const PulseContext&) = delete;

    // Starts connecting to the server (empty: the default one), never starting a server of its
    // own; false when that fails at once. The state then moves on as the loop runs.
    bool Connect(const std::string& server);
    bool IsReady() const;
    // Connecting, or ready: not failed or ended.
    bool IsGood() const;
    pa_context* Get() const { return context_; }

private:
    pa_context* context_;
};
