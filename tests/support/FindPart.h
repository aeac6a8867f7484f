#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QtGlobal>

// A component of a window found as its object name says (the main window names each after
// the member that holds it). Stops the test run with a message unless exactly one child of
// that type has the name, so a renamed or doubled component cannot go unnoticed.
template <typename T>
T* Part(const QObject& root, const char* name) {
    QList<T*> found;
    for (QObject* child : root.findChildren<QObject*>(QString::fromLatin1(name))) {
        if (auto* part = dynamic_cast<T*>(child))
            found.append(part);
    }
    if (found.size() != 1)
        qFatal("%lld components named %s", static_cast<long long>(found.size()), name);
    return found.front();
}
