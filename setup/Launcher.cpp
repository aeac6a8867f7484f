#include "Launcher.h"

#include "LauncherTimer.h"
#include "LauncherWindow.h"
#include "ProfileReader.h"

Launcher::Launcher(ProfileReader& profile, Shell& shell, LauncherWindow& window,
                   LauncherTimer& timer)
    : profile_(profile), shell_(shell), window_(window), timer_(timer) {}

void Launcher::Start() {
    window_.Register();
    config_ = LauncherConfig::Read(profile_);
    window_.Create();
    installProcess_ = NoProcess;
    readmeProcess_ = NoProcess;

    const Shell::Outcome install = shell_.Execute("install", config_.Inf);
    if (!install.Done) {
        state_ = State::Failed;
        window_.ShowMessage(NoInfText, config_.App, LauncherWindow::Icon::Warning);
        window_.Destroy();
        return;
    }
    installProcess_ = install.Process;

    // The read-me opens while the installation runs; if it cannot be opened, only the
    // installation is waited for.
    const Shell::Outcome readme = shell_.Execute("open", config_.Rme);
    if (readme.Done)
        readmeProcess_ = readme.Process;

    state_ = State::Installing;
    timer_.Start(TimerPeriodMs);
}

void Launcher::TimerTick() {
    if (installProcess_ == NoProcess && readmeProcess_ == NoProcess) {
        timer_.Stop();
        state_ = State::Finished;
        window_.ShowMessage(SuccessText, config_.App, LauncherWindow::Icon::Information);
        window_.Destroy();
    }
    ForgetIfEnded(installProcess_);
    ForgetIfEnded(readmeProcess_);
}

void Launcher::ForgetIfEnded(ProcessHandle& process) {
    if (process != NoProcess && shell_.HasEnded(process)) {
        shell_.Close(process);
        process = NoProcess;
    }
}
