// Quavrel: the play list media player.
#include <QApplication>
#include <QCryptographicHash>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWindow>
#include <clocale>
#include <cstdio>
#include <filesystem>
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
#include "startup/CommandLine.h"
#include "widgets/TTrayIcon.h"

namespace {

// One copy per settings folder: two copies would write the same settings at their close. The
// name stays short, as it names a socket.
QString SingleCopyId(const std::string& settingsFolder) {
    const QByteArray hash = QCryptographicHash::hash(QByteArray::fromStdString(settingsFolder),
                                                     QCryptographicHash::Sha1);
    return QStringLiteral("quavrel-") + QString::fromLatin1(hash.toHex().left(16));
}

std::string CurrentFolder() {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    return error ? std::string("/") : folder.string();
}

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
    // The command line first: --help and --version need no display.
    const CommandLine line = CommandLine::Parse(std::vector<std::string>(argv + 1, argv + argc));
    switch (line.action) {
        case CommandLine::Action::Help:
            std::fputs(CommandLine::HelpText().c_str(), stdout);
            return 0;
        case CommandLine::Action::Version:
            std::fputs(CommandLine::VersionText().c_str(), stdout);
            return 0;
        case CommandLine::Action::Usage:
            std::fputs(CommandLine::UsageText(line.BadOption).c_str(), stderr);
            return 2;
        case CommandLine::Action::Run:
            break;
    }
    const std::vector<std::string> files = CommandLine::LocalPaths(line.Items, CurrentFolder());

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quavrel"));
    QApplication::setDesktopFileName(QStringLiteral("quavrel"));
    // Closing the main window ends the program, whatever pop-ups are still around.
    QApplication::setQuitOnLastWindowClosed(false);
    // libmpv needs the C numeric locale, set after the application object exists.
    std::setlocale(LC_NUMERIC, "C");

    // A copy runs already: it takes the files (or only comes forward), and this one ends before
    // it has loaded or played anything.
    const std::string settingsFolder = SettingsFolder();
    const QString id = SingleCopyId(settingsFolder);
    if (TTrayIcon::HandToFirstCopy(id,
                                   QByteArray::fromStdString(CommandLine::EncodeHandOver(files))))
        return 0;

    QtUiPost uiPost;
    MpvMediaDevice mpv(uiPost, MpvMediaDevice::Output::System);
    TrackedMediaDevice media(mpv);  // tells the media player interface what is open
    SystemClock clock;
    QtMessageBox messages;
    QtDialogs dialogs;
    PulseMixerApi mixerApi(uiPost);  // the system mixer; no device without a sound server

    // The main window comes first; its creation loads the settings and the default play list,
    // and decides whether it is shown.
    TQuavrel quavrel({media, clock, messages, dialogs, settingsFolder,
                      [] { return QSystemTrayIcon::isSystemTrayAvailable(); },
                      [&mpv](const ReplayGain& gain) { mpv.SetReplayGain(gain); }});
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
    quavrel.AnswerLaterCopies(id);
    // The files named on the command line, once the default play list has been loaded.
    quavrel.OpenFiles(files);
    return QApplication::exec();
}
