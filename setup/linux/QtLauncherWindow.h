#pragma once

#include <memory>

#include "LauncherWindow.h"

class QWidget;

// QtLauncherWindow: the launcher's window on Linux, a plain purple top-level widget titled
// "kitbem", shown maximised, and its Qt message boxes. Destroying it ends the event loop; when
// that happens before the loop runs, Destroyed() tells main() not to start it.
class QtLauncherWindow final : public LauncherWindow {
public:
    QtLauncherWindow();
    ~QtLauncherWindow() override;

    void Register() override;
    void Create() override;
    void ShowMessage(const std::string& text, const std::string& caption, Icon icon) override;
    void Destroy() override;

    bool Destroyed() const { return destroyed_; }
    QWidget* Widget() const { return window_.get(); }

private:
    std::unique_ptr<QWidget> window_;
    bool destroyed_ = false;
};
