#pragma once

#include <string>

// LauncherWindow: the launcher's one window, the plain purple one that covers the screen, and
// the message boxes it owns. Destroying the window ends the program once the current step has
// returned (on Windows its destroy message posts the quit message).
class LauncherWindow {
public:
    enum class Icon { Information, Warning };

    virtual ~LauncherWindow() = default;

    // Registers the window class "kitbem" (purple background, the "kitbem" icon).
    virtual void Register() = 0;
    // Creates the window titled "kitbem" and shows it maximised.
    virtual void Create() = 0;
    // A modal message box owned by the window with one "OK" button; returns when it is answered.
    virtual void ShowMessage(const std::string& text, const std::string& caption, Icon icon) = 0;
    virtual void Destroy() = 0;
};
