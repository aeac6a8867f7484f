#pragma once

// LauncherTimer: timer 1 of the launcher's window. While it runs, the platform calls
// Launcher::TimerTick every period on the launcher's thread. Units: milliseconds.
class LauncherTimer {
public:
    virtual ~LauncherTimer() = default;

    virtual void Start(int periodMs) = 0;
    virtual void Stop() = 0;
};
