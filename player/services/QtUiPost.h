#pragma once

#include <QObject>

#include "services/UiPost.h"

// Posts calls to the thread this object lives on (the user-interface thread) as queued calls.
class QtUiPost final : public QObject, public UiPost {
public:
    explicit QtUiPost(QObject* parent = nullptr);

    void Post(std::function<void()> call) override;
};
