// Quavrel: the play list media player.
#include <QApplication>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWindow>
#include <clocale>
#include <functional>

#include "TQuavrel.h"
#include "media/MpvMediaDevice.h"
#include "mixer/PulseMixerApi.h"
#include "mpris/MprisService.h"
#include "mpris/TrackedMediaDevice.h"
#include "services/QtDialogs.h"
#include "services/QtMessageBox.h"
#include "services/QtUiPost.h"
#include "services/SettingsFolder.h"
#include "services/SystemClock.h"

namespace {

// Runs work once, after the window's first paint; at once (from the event loop) when the
// window starts hidden, since then nothing is painted.
class FirstPaintWatcher final : public QObject {
public:
    FirstPaintWatcher(QWidget& window, std::function<void()> work)
        : QObject(&window), work_(std::move(work)) {
        QWindow* handle = window.isVisible() ? window.windowHandle() : nullptr;
        if (!handle) {
            Run();
            return;
        }
        handle->installEventFilter(this);
        // A window the system never exposes (covered, or on no screen) must not hold it back.
        QTimer::singleShot(1000, this, [this] { Run(); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The window paints while it handles its first exposure: the work queues behind it.
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            Run();
        }
        return false;
    }

private:
    void Run() {
        if (queued_)
            return;
        queued_ = true;
        QTimer::singleShot(0, this, [this] {
            const std::function<void()> work = std::move(work_);
            deleteLater();
            work();
        });
    }

    std::function<void()> work_;
    bool queued_ = false;
};

void AfterFirstPaint(QWidget& window, std::function<void()> work) {
    new FirstPaintWatcher(window, std::move(work));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quavrel"));
    QApplication::setDesktopFileName(QStringLiteral("quavrel"));
    // Closing the main window ends the program, whatever pop-ups are still around.
    QApplication::setQuitOnLastWindowClosed(false);
    // libmpv needs the C numeric locale, set after the application object exists.
    std::setlocale(LC_NUMERIC, "C");

    QtUiPost uiPost;
    MpvMediaDevice mpv(uiPost, MpvMediaDevice::Output::System);
    TrackedMediaDevice media(mpv);  // tells the media player interface what is open
    SystemClock clock;
    QtMessageBox messages;
    QtDialogs dialogs;
    PulseMixerApi mixerApi(uiPost);  // the system mixer; no device without a sound server

    // The main window comes first; its creation loads the settings and the default play list,
    // and decides whether it is shown.
    TQuavrel quavrel({media, clock, messages, dialogs, SettingsFolder(),
                      [] { return QSystemTrayIcon::isSystemTrayAvailable(); }});
    // Then the filter dialog, the About window and the volume pop-up, children of the window,
    // with what the window does not need to show: the media device's library and handle, the
    // sound server's connection, the session bus. All of it waits until the window has shown
    // and painted (at once when it starts hidden), and runs in this thread.
    AfterFirstPaint(quavrel, [&quavrel, &mixerApi, &media, &mpv] {
        quavrel.CreateDialogs();
        quavrel.CreateVolume(mixerApi);
        new MprisService(quavrel, media, &quavrel);  // a child of the window; idle without a bus
        try {
            mpv.Prepare();
        } catch (const std::exception&) {
            // Said again, in a message box, by the first open.
        }
    });
    return QApplication::exec();
}
