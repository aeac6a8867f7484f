#pragma once

#include <QTimer>

#include "services/OneShotTimer.h"

// A precise single-shot QTimer of the thread this object lives on (the user-interface thread).
class QtOneShotTimer final : public QObject, public OneShotTimer {
public:
    explicit QtOneShotTimer(QObject* parent = nullptr);

    void Start(std::int64_t delayMs, std::function<void()> call) override;
    void Cancel() override;

private:
    QTimer timer_;
    std::function<void()> call_;
};
