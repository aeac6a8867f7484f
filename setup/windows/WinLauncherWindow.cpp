#include "windows/WinLauncherWindow.h"

namespace {
constexpr const char* kClassName = "kitbem";
}

WinLauncherWindow::WinLauncherWindow(HINSTANCE instance, WNDPROC procedure)
    : instance_(instance), procedure_(procedure) {}

void WinLauncherWindow::Register() {
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = procedure_;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance_;
    windowClass.hIcon = LoadIconA(instance_, "kitbem");
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = CreateSolidBrush(RGB(128, 0, 128));
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);
}

void WinLauncherWindow::Create() {
    // Titled with the class name, not with the configured application name.
    handle =
        CreateWindowA(kClassName, kClassName, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance_, nullptr);
    ShowWindow(handle, SW_SHOWMAXIMIZED);
    UpdateWindow(handle);
}

void WinLauncherWindow::ShowMessage(const std::string& text, const std::string& caption,
                                    Icon icon) {
    const UINT style = MB_OK | (icon == Icon::Warning ? MB_ICONEXCLAMATION : MB_ICONINFORMATION);
    MessageBoxA(handle, text.c_str(), caption.c_str(), style);
}

void WinLauncherWindow::Destroy() {
    DestroyWindow(handle);
}
