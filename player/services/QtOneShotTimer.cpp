#include "services/QtOneShotTimer.h"

#include <algorithm>

QtOneShotTimer::QtOneShotTimer(QObject* parent) : QObject(parent) {
    timer_.setSingleShot(true);
    // A coarse timer may fire 5 % early or late: a part of a file would end audibly off.
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] {
        // The call may start the timer again: take it out first.
        std::function<void()> call = std::move(call_);
        call_ = {};
        if (call)
            call();
    });
}

void QtOneShotTimer::Start(std::int64_t delayMs, std::function<void()> call) {
    call_ = std::move(call);
    timer_.start(static_cast<int>(std::clamp<std::int64_t>(delayMs, 0, 24LL * 3600 * 1000)));
}

void QtOneShotTimer::Cancel() {
    timer_.stop();
    call_ = {};
}
