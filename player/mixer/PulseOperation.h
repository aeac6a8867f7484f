#pragma once

struct pa_operation;

// Owns one pending libpulse request (pa_operation). Destroyed while still running, it cancels
// the request first, so its callback can never run on state that is gone.
class PulseOperation {
public:
    // Takes over the reference that libpulse returned; nullptr stands for a request that
    // could not be made.
    explicit PulseOperation(pa_operation* operation) : operation_(operation) {}
    ~PulseOperation();
    PulseOperation(const PulseOperation&) = delete;
    PulseOperation& operator=(const PulseOperation&) = delete;

    bool IsValid() const { return operation_ != nullptr; }
    bool IsRunning() const;
    bool IsDone() const;

private:
    pa_operation* operation_;
};
