#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

class QProgressDialog;
class QWidget;

// The progress of one long piece of work on the play list (a folder walk, a folder drop, a
// list load), fed by the work's progress hook (FileAdder::Progress). Nothing is shown for the
// first half second, and no event runs then; after that a modal QProgressDialog shows the
// entries found so far with a Cancel button, and pending events run every 50 ms, so the window
// repaints and the media device's notices are handled. The dialog's modality keeps the user's
// commands away from the list; the caller keeps other callers away while Busy. Lives on the
// stack of the handler that does the work; user-interface thread.
class WorkProgress {
public:
    static constexpr int kShowAfterMs = 500;
    static constexpr int kEventsEveryMs = 50;

    // parent: the window the dialog is modal to; what: "Adding files", "Loading the play list".
    WorkProgress(QWidget* parent, QString what, int showAfterMs = kShowAfterMs);
    ~WorkProgress();
    WorkProgress(const WorkProgress&) = delete;
    WorkProgress& operator=(const WorkProgress&) = delete;

    // The hook: found is the number of entries made so far. False once the user cancelled.
    bool Step(int found);
    bool Cancelled() const { return cancelled_; }
    // Whether the dialog was ever shown (for tests).
    bool Shown() const { return shown_; }

private:
    QWidget* parent_;
    QString what_;
    int showAfterMs_;
    QElapsedTimer clock_;
    qint64 lastEvents_ = -kEventsEveryMs;
    QPointer<QProgressDialog> dialog_;
    bool shown_ = false;
    bool cancelled_ = false;
};
