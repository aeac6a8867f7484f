// Floods the running player with MPRIS Next calls, as fast as the bus takes them, without waiting
// for any answer; then waits for every answer and asks for PlaybackStatus. Prints how long the
// calls took to send, to be answered, and until the player answered a question again.
// usage: MprisFlood [CALLS]   (default 10000; the player must hold its bus name)
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int calls = argc > 1 ? std::atoi(argv[1]) : 10000;
    const QString service = QStringLiteral("org.mpris.MediaPlayer2.quavrel");
    const QString path = QStringLiteral("/org/mpris/MediaPlayer2");
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        std::fputs("no session bus\n", stderr);
        return 2;
    }
    QElapsedTimer clock;
    clock.start();
    int answered = 0, errors = 0;
    for (int k = 0; k < calls; ++k) {
        const QDBusPendingCall call =
            bus.asyncCall(QDBusMessage::createMethodCall(
                              service, path, QStringLiteral("org.mpris.MediaPlayer2.Player"),
                              QStringLiteral("Next")),
                          120000);
        auto* watcher = new QDBusPendingCallWatcher(call, &app);
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &app, [&, watcher] {
            ++answered;
            errors += watcher->isError() ? 1 : 0;
            watcher->deleteLater();
            if (answered == calls)
                app.quit();
        });
    }
    const double sentS = clock.elapsed() / 1000.0;
    QTimer::singleShot(120000, &app, [&] { app.exit(1); });
    const int timedOut = app.exec();
    const double answeredS = clock.elapsed() / 1000.0;
    const QDBusMessage status = bus.call(
        QDBusMessage::createMethodCall(
            service, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"))
            << QStringLiteral("org.mpris.MediaPlayer2.Player") << QStringLiteral("PlaybackStatus"),
        QDBus::Block, 120000);
    const double idleS = clock.elapsed() / 1000.0;
    const QString playing = status.arguments().value(0).value<QDBusVariant>().variant().toString();
    std::printf(
        "%d Next calls: sent in %.2f s, %d answered (%d errors) after %.2f s, "
        "PlaybackStatus %s after %.2f s\n",
        calls, sentS, answered, errors, answeredS, qPrintable(playing), idleS);
    return timedOut != 0 || answered != calls ? 1 : 0;
}
