#pragma once

#include <QTimer>
#include <functional>

#include "LauncherTimer.h"

// QtLauncherTimer: timer 1 of the launcher's window, a QTimer that calls OnTick on the
// user-interface thread every period.
class QtLauncherTimer final : public LauncherTimer {
public:
    QtLauncherTimer();

    void Start(int periodMs) override;
    void Stop() override;

    std::function<void()> OnTick;

private:
    QTimer timer_;
};
