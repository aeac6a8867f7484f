// Start, hiding instead of minimising, and the ways out.
#include <QApplication>
#include <QCloseEvent>
#include <QTimer>

#include "TQuavrel.h"
#include "widgets/TAboutBox.h"
#include "widgets/TTrayIcon.h"

void TQuavrel::FormCreate() {
    state_.FilterList = std::make_unique<std::vector<std::string>>();
    state_.FilteringOn = 1;
    state_.LoopOn = 1;
    state_.ShowRemaining = 0;
    state_.WindowsColors = 0;
    state_.ButtonWidth = 44;
    state_.ButtonHeight = 41;
    LoadConfig();
}

void TQuavrel::FormClose() {
    SaveConfig();
    state_.FilterList.reset();
}

void TQuavrel::closeEvent(QCloseEvent* event) {
    if (closed_) {
        event->accept();
        return;
    }
    if (!saveRefused_) {
        try {
            FormClose();
        } catch (const std::exception& error) {
            // The settings could not be written: stay open, so nothing is lost, and say why,
            // once. The next Exit (or Quit from the bus, also one that comes while the box is
            // up) ends the program; the old files stay whole, as a failed save leaves them.
            saveRefused_ = true;
            event->ignore();
            ShowException(error);
            return;
        }
    }
    closed_ = true;
    event->accept();
    // Hidden pop-ups and dialogs must not keep the program alive once the main window closes.
    QApplication::quit();
}

void TQuavrel::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !isMinimized())
        return;
    // Without a tray the window stays minimised: hidden, it could never be reached again.
    if (!services_.trayAvailable || !services_.trayAvailable())
        return;
    // Hide once the state change has been handled; the window comes back in its old state.
    QTimer::singleShot(0, this, [this] {
        setWindowState(windowState() & ~Qt::WindowMinimized);
        hide();
    });
}

void TQuavrel::Exit1Click() {
    TrayIcon->SetToolTip(QStringLiteral("Closing"));
    close();
}

void TQuavrel::Exit2Click() {
    Exit1Click();
}

void TQuavrel::Help1Click() {
    if (AboutBox)
        AboutBox->exec();
}
