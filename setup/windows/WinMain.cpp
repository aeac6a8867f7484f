// The installation launcher on Windows: covers the screen with a purple window, asks the shell
// to install the setup information file named in .\kitbem.cfg, opens the read-me beside it, and
// reports when both started programs have ended.

#include <windows.h>

#include "Launcher.h"
#include "windows/WinLauncherTimer.h"
#include "windows/WinLauncherWindow.h"
#include "windows/WinProfile.h"
#include "windows/WinShell.h"

namespace {

// The window procedure reaches the launcher through this, as the program's one window has one
// launcher for the whole run.
Launcher* gLauncher = nullptr;

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DESTROY:
            PostQuitMessage(0);
            break;
        case WM_TIMER:
            if (wParam == WinLauncherTimer::Id && gLauncher)
                gLauncher->TimerTick();
            break;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WinLauncherWindow window(instance, WindowProcedure);
    WinProfile profile;
    WinShell shell;
    shell.owner = &window.handle;
    WinLauncherTimer timer(window.handle);
    Launcher launcher(profile, shell, window, timer);
    gLauncher = &launcher;

    launcher.Start();

    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    gLauncher = nullptr;
    return static_cast<int>(message.wParam);
}
