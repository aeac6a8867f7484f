#pragma once

#include <windows.h>

#include "LauncherWindow.h"

// WinLauncherWindow: the window class "kitbem" and its one window, and the message boxes it
// owns. The window procedure lives in WinMain.cpp, with the launcher it drives.
class WinLauncherWindow final : public LauncherWindow {
public:
    WinLauncherWindow(HINSTANCE instance, WNDPROC procedure);

    void Register() override;
    void Create() override;
    void ShowMessage(const std::string& text, const std::string& caption, Icon icon) override;
    void Destroy() override;

    // The window, or nullptr before Create; the shell and the timer read it when they need it.
    HWND handle = nullptr;

private:
    HINSTANCE instance_;
    WNDPROC procedure_;
};
