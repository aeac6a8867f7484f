#pragma once

#include <windows.h>

#include "LauncherTimer.h"

// WinLauncherTimer: timer 1 of the launcher's window (SetTimer); its WM_TIMER reaches the
// window procedure, which calls Launcher::TimerTick.
class WinLauncherTimer final : public LauncherTimer {
public:
    static constexpr UINT_PTR Id = 1;

    explicit WinLauncherTimer(const HWND& window) : window_(window) {}

    void Start(int periodMs) override {
        SetTimer(window_, Id, static_cast<UINT>(periodMs), nullptr);
    }
    void Stop() override { KillTimer(window_, Id); }

private:
    const HWND& window_;
};
