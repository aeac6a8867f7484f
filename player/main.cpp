// Quavrel: the play list media player.
#include <QApplication>
#include <QSystemTrayIcon>
#include <clocale>

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
    // Then the filter dialog, the About window and the volume pop-up, children of the window.
    quavrel.CreateDialogs();
    quavrel.CreateVolume(mixerApi);
    new MprisService(quavrel, media,
                     &quavrel);  // a child of the window; idle without a session bus
    return QApplication::exec();
}
