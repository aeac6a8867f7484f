// Quavrel: the play list media player.
#include <QApplication>
#include <QCryptographicHash>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "TQuavrel.h"
#include "config/ConfigFormat.h"
#include "config/LinuxSettings.h"
#include "filter/FileTypeFilter.h"
#include "media/MpvMediaDevice.h"
#include "media/RangedMediaDevice.h"
#include "mixer/PulseMixerApi.h"
#include "mixer/SoundServerSocket.h"
#include "mpris/MprisService.h"
#include "mpris/TrackedMediaDevice.h"
#include "services/QtDialogs.h"
#include "services/QtMessageBox.h"
#include "services/QtOneShotTimer.h"
#include "services/QtUiPost.h"
#include "services/SettingsFolder.h"
#include "services/SystemClock.h"
#include "startup/BusProbe.h"
#include "startup/CommandLine.h"
#include "startup/SingleCopy.h"
#include "tags/CoverArt.h"
#include "tags/TagCache.h"
#include "tags/TagLibReader.h"
#include "tags/TagScanner.h"
#include "textfile/SaveFile.h"
#include "widgets/TTrayIcon.h"

namespace {

// One copy per settings folder: two copies would write the same settings at their close. The
// name stays short, as it names a socket.
QString SingleCopyId(const std::string& settingsFolder) {
    const QByteArray hash = QCryptographicHash::hash(QByteArray::fromStdString(settingsFolder),
                                                     QCryptographicHash::Sha1);
    return QStringLiteral("quavrel-") + QString::fromLatin1(hash.toHex().left(16));
}

// How long a start waits for a running copy that is busy (loading its default play list, say)
// before it gives up; it never becomes a second player meanwhile.
constexpr std::chrono::milliseconds kClaimWait{20000};

// A bus answers its first handshake line at once; a start waits no longer for one that does not.
constexpr std::chrono::milliseconds kBusWait{1000};

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

// The day of the epoch, by which the tag cache ages its records.
std::int64_t Today() {
    using namespace std::chrono;
    return duration_cast<hours>(system_clock::now().time_since_epoch()).count() / 24;
}

// Threads reading tags: as many as the processor has cores, from one to four (more only
// contend for the disk).
int TagThreads() {
    return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 4);
}

// QVRL_TAG_SCAN=0 leaves tags unread: for a file system where reading every file costs too
// much, and to time a load without the scan.
bool TagScanWanted() {
    const char* wanted = std::getenv("QVRL_TAG_SCAN");
    return !wanted || std::string(wanted) != "0";
}

void AfterFirstPaint(QWidget& window, std::function<void()> work) {
    new FirstPaintWatcher(window, std::move(work));
}

// While the application object is made: Qt ends a program it cannot give a display with a
// fatal message and an abort (a core dump). The first copy says so in one line and exits; the
// warnings on the way are kept back and told only when the start goes on.
QtMessageHandler startHandler = nullptr;
std::vector<std::pair<QtMsgType, QString>>* heldBack = nullptr;

void StartMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fputs("qvrl: no display to show the window on (is DISPLAY or WAYLAND_DISPLAY set?)\n",
                   stderr);
        std::_Exit(1);
    }
    if (heldBack != nullptr && heldBack->size() < 100)
        heldBack->emplace_back(type, text);
    (void)context;
}

std::unique_ptr<QApplication> MakeApplication(int& argc, char** argv) {
    std::vector<std::pair<QtMsgType, QString>> held;
    heldBack = &held;
    startHandler = qInstallMessageHandler(StartMessages);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(startHandler);
    heldBack = nullptr;
    const QMessageLogContext context;
    for (const auto& [type, text] : held)
        startHandler ? startHandler(type, context, text) : qt_message_output(type, context, text);
    return app;
}

// A copy runs already: it takes the files (or only comes forward), and this one ends before it
// has loaded or played anything, and before it needs a display: the exit status is returned.
// Otherwise this process holds the settings folder's lock from here to its end, and none is.
std::optional<int> HandOverOrClaim(const QString& id, const std::string& settingsFolder,
                                   const std::vector<std::string>& files) {
    // Whether the session bus answers, found out while the start looks for a running copy.
    const char* busAddress = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    std::future<bool> busAnswers =
        std::async(std::launch::async, [bus = std::string(busAddress ? busAddress : "")] {
            return bus.empty() || BusAnswers(bus, kBusWait);
        });
    const std::string message = id.toStdString() + '\n' + CommandLine::EncodeHandOver(files);
    switch (SingleCopy::Claim(SingleCopy::SocketPath(id.toStdString()), message, kClaimWait)) {
        case SingleCopy::Outcome::HandedOver:
            return 0;
        case SingleCopy::Outcome::NoAnswer:
            std::fputs("qvrl: another copy runs with these settings and does not answer\n", stderr);
            return 1;
        case SingleCopy::Outcome::First:
            break;
    }
    // What saves cut short by a kill left beside the settings; no other copy is saving now.
    RemoveLeftoverSaveFiles(settingsFolder,
                            {std::string(kConfigFileName), std::string(kFilterFileName),
                             std::string(kLinuxSettingsFileName)});
    // A bus that accepts and never answers would hold the window wherever the toolkit asks it
    // something (the tray, accessibility, the media player interface): run without one.
    if (!busAnswers.get()) {
        std::fputs("qvrl: the session bus does not answer; running without it\n", stderr);
        ::setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
    }
    return std::nullopt;
}

// The sound server coming back (after a crash or a restart): mpv's output is opened again, so
// the file that plays is heard again where it stands. Looked at once a second.
void WatchSoundServer(QObject& owner, MpvMediaDevice& mpv) {
    const std::optional<std::string> socket = SoundServerSocket();
    if (!socket)
        return;
    auto* watch = new QTimer(&owner);
    QObject::connect(watch, &QTimer::timeout, &owner,
                     [&mpv, path = *socket, up = SoundServerAnswers(*socket)]() mutable {
                         const bool answers = SoundServerAnswers(path);
                         if (answers && !up)
                             mpv.ReloadAudio();
                         up = answers;
                     });
    watch->start(1000);
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

    const std::string settingsFolder = SettingsFolder();
    const QString id = SingleCopyId(settingsFolder);
    if (const std::optional<int> handedOver = HandOverOrClaim(id, settingsFolder, files))
        return *handedOver;

    const std::unique_ptr<QApplication> app = MakeApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quavrel"));
    QApplication::setDesktopFileName(QStringLiteral("quavrel"));
    // Closing the main window ends the program, whatever pop-ups are still around.
    QApplication::setQuitOnLastWindowClosed(false);
    // libmpv needs the C numeric locale, set after the application object exists.
    std::setlocale(LC_NUMERIC, "C");

    QtUiPost uiPost;
    MpvMediaDevice mpv(uiPost, MpvMediaDevice::Output::System);
    QtOneShotTimer partTimer;
    RangedMediaDevice parts(mpv, partTimer);  // plays a CUE sheet's tracks as files of their own
    TrackedMediaDevice media(parts);          // tells the media player interface what is open
    SystemClock clock;
    QtMessageBox messages;
    QtDialogs dialogs;
    PulseMixerApi mixerApi(uiPost);  // the system mixer; no device without a sound server
    // Tags are read in the background and kept in the cache; the cache file is opened by the
    // first worker that needs it, never here.
    TagLibReader tagReader;
    TagCache tagCache(TagCache::DefaultFolder() + "/tags.sqlite", Today());
    CoverArt coverArt(tagReader, TagCache::DefaultFolder() + "/covers", uiPost);

    // The main window comes first; its creation loads the settings and the default play list,
    // and decides whether it is shown.
    TQuavrel quavrel({media, clock, messages, dialogs, settingsFolder,
                      [] { return QSystemTrayIcon::isSystemTrayAvailable(); },
                      [&mpv](const ReplayGain& gain) { mpv.SetReplayGain(gain); }});
    // Then the filter dialog, the About window and the volume pop-up, children of the window,
    // with what the window does not need to show: the media device's library and handle, the
    // sound server's connection, the session bus. All of it waits until the window has shown
    // and painted (at once when it starts hidden), and runs in this thread.
    AfterFirstPaint(
        quavrel, [&quavrel, &mixerApi, &media, &mpv, &tagReader, &tagCache, &uiPost, &coverArt] {
            if (TagScanWanted())
                quavrel.StartTagScan(std::make_unique<TagScanner>(
                    quavrel.PlayListModel(), tagReader, &tagCache, uiPost, TagThreads()));
            quavrel.CreateDialogs();
            quavrel.CreateVolume(mixerApi);
            // A child of the window; idle without a bus.
            auto* mpris = new MprisService(quavrel, media, &quavrel);
            mpris->SetCoverArt(&coverArt);
            coverArt.SetOnFound([mpris = QPointer<MprisService>(mpris)] {
                if (mpris)
                    mpris->Refresh();
            });
            try {
                mpv.Prepare();
            } catch (const std::exception&) {
                // Said again, in a message box, by the first open.
            }
        });
    WatchSoundServer(quavrel, mpv);
    quavrel.AnswerLaterCopies(id);
    // The files named on the command line, once the default play list has been loaded.
    quavrel.OpenFiles(files);
    return QApplication::exec();
}
