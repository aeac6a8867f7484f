#pragma once

#include "LauncherConfig.h"
#include "Shell.h"

class LauncherTimer;
class LauncherWindow;
class ProfileReader;

// The launcher's steps: start the installation and the read-me through the shell, poll both
// processes on a 200 ms timer, and report success once both have ended. Runs on one thread; the
// platform's main() calls Start once and TimerTick on every tick of the timer, and ends the
// program when the window is destroyed. Uses the services for its whole life and owns none.
class Launcher {
public:
    enum class State { Starting, Installing, Finished, Failed };

    static constexpr int TimerPeriodMs = 200;
    static constexpr const char* SuccessText = "Installation successful";
    static constexpr const char* NoInfText = "Could not find INF file";

    Launcher(ProfileReader& profile, Shell& shell, LauncherWindow& window, LauncherTimer& timer);

    // Registers the window class, reads the configuration, shows the window and starts the
    // installation and the read-me. Without an installation the warning is shown and the
    // window destroyed before it returns.
    void Start();
    // One timer tick: reports success when neither process is left, then forgets the processes
    // that have ended. So success comes on the tick after the last one was seen ended.
    void TimerTick();

    State CurrentState() const { return state_; }
    const LauncherConfig& Config() const { return config_; }
    ProcessHandle InstallProcess() const { return installProcess_; }
    ProcessHandle ReadmeProcess() const { return readmeProcess_; }

private:
    void ForgetIfEnded(ProcessHandle& process);

    ProfileReader& profile_;
    Shell& shell_;
    LauncherWindow& window_;
    LauncherTimer& timer_;
    LauncherConfig config_;
    ProcessHandle installProcess_ = NoProcess;
    ProcessHandle readmeProcess_ = NoProcess;
    State state_ = State::Starting;
};
