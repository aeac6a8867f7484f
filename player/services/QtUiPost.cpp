#include "services/QtUiPost.h"

#include <QMetaObject>

QtUiPost::QtUiPost(QObject* parent) : QObject(parent) {}

void QtUiPost::Post(std::function<void()> call) {
    // invokeMethod with a functor and Qt::QueuedConnection is thread-safe and never runs the
    // call inside the posting thread.
    QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
}
