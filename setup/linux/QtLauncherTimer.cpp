#include "linux/QtLauncherTimer.h"

QtLauncherTimer::QtLauncherTimer() {
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (OnTick)
            OnTick();
    });
}

void QtLauncherTimer::Start(int periodMs) {
    timer_.start(periodMs);
}

void QtLauncherTimer::Stop() {
    timer_.stop();
}
