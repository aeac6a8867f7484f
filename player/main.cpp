// Quavrel: the play list media player.
#include <QApplication>
#include <QCryptographicHash>
#include <QSystemTrayIcon>
#include <clocale>
#include <cstdio>
#include <filesystem>

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
                      [] { return QSystemTrayIcon::isSystemTrayAvailable(); }});
    // Then the filter dialog, the About window and the volume pop-up, children of the window.
    quavrel.CreateDialogs();
    quavrel.CreateVolume(mixerApi);
    new MprisService(quavrel, media,
                     &quavrel);  // a child of the window; idle without a session bus
    quavrel.AnswerLaterCopies(id);
    // The files named on the command line, once the default play list has been loaded.
    quavrel.OpenFiles(files);
    return QApplication::exec();
}
