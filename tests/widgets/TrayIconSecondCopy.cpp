// A second copy of a program with a tray icon, for TTrayIconTest: runs the single-copy check
// under the name given as its argument. It should end inside Loaded (exit code 0); coming back
// means it missed the first copy (3: it took the name over, 4: it could not listen either).
#include <QApplication>

#include "widgets/TTrayIcon.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    TTrayIcon tray;
    tray.SetIDMessage(QString::fromLocal8Bit(argv[1]));
    tray.Loaded();
    return tray.IsFirstCopy() ? 3 : 4;
}
