#pragma once

#include <QObject>

class QWidget;

// Keeps the program's top-level windows off the task bar, or puts them back. On X11 it sets the
// window manager's _NET_WM_STATE_SKIP_TASKBAR state of each window as it is shown (and of every
// window already shown when the choice changes); on other platforms it does nothing, as they
// offer no such state to applications. Lives on the user-interface thread.
class TaskbarHider : public QObject {
    Q_OBJECT

public:
    explicit TaskbarHider(QObject* parent = nullptr);
    ~TaskbarHider() override;

    bool Hiding() const { return hiding_; }
    void SetHiding(bool hiding);

    // Whether this desktop lets the hider do anything.
    static bool Supported();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static void Apply(QWidget* window, bool skip);

    bool hiding_ = false;
};
