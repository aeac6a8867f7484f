#include "linux/RunLauncher.h"

#include <QApplication>

#include "IniProfile.h"
#include "Launcher.h"
#include "linux/PosixShell.h"
#include "linux/QtLauncherTimer.h"
#include "linux/QtLauncherWindow.h"

int RunLauncher() {
    IniProfile profile;
    PosixShell shell;
    QtLauncherWindow window;
    QtLauncherTimer timer;
    Launcher launcher(profile, shell, window, timer);
    timer.OnTick = [&launcher] { launcher.TimerTick(); };

    launcher.Start();
    if (window.Destroyed())
        return 0;
    // Closing the window from its frame closes the last window, which ends the program at once
    // and leaves the started programs running.
    return QApplication::exec();
}
