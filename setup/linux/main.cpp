// The installation launcher on Linux: covers the screen with a purple window, runs the
// installer named in ./kitbem.cfg, opens the read-me beside it, and reports when both are done.

#include <QApplication>

#include "linux/RunLauncher.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    return RunLauncher();
}
