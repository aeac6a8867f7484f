#include "views/WorkProgress.h"

#include <QCoreApplication>
#include <QProgressDialog>

WorkProgress::WorkProgress(QWidget* parent, QString what, int showAfterMs)
    : parent_(parent), what_(std::move(what)), showAfterMs_(showAfterMs) {
    clock_.start();
}

WorkProgress::~WorkProgress() {
    delete dialog_;
}

bool WorkProgress::Step(int found) {
    if (cancelled_)
        return false;
    const qint64 now = clock_.elapsed();
    if (now < showAfterMs_ || now - lastEvents_ < kEventsEveryMs)
        return true;
    lastEvents_ = now;
    if (!dialog_ && !shown_) {
        auto* dialog = new QProgressDialog(parent_);
        dialog->setObjectName(QStringLiteral("WorkProgress"));
        dialog->setWindowTitle(QStringLiteral("Quavrel"));
        dialog->setWindowModality(Qt::ApplicationModal);
        dialog->setRange(0, 0);  // the total is not known until the end
        dialog->setMinimumDuration(0);
        dialog->setAutoReset(false);
        dialog->setAutoClose(false);
        dialog_ = dialog;
        shown_ = true;
        dialog->show();
    }
    if (dialog_)
        dialog_->setLabelText(QStringLiteral("%1: %2 found so far").arg(what_).arg(found));
    QCoreApplication::processEvents(QEventLoop::AllEvents, kEventsEveryMs / 2);
    if (dialog_ && dialog_->wasCanceled())
        cancelled_ = true;
    return !cancelled_;
}
