#include "linux/QtLauncherWindow.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPalette>
#include <QScreen>
#include <QWidget>

QtLauncherWindow::QtLauncherWindow() = default;

QtLauncherWindow::~QtLauncherWindow() = default;

void QtLauncherWindow::Register() {
    // Qt has no window classes: the class's brush, icon and cursor are set on the window.
}

void QtLauncherWindow::Create() {
    window_ = std::make_unique<QWidget>();
    window_->setWindowTitle(QStringLiteral("kitbem"));
    window_->setWindowIcon(QIcon(QStringLiteral(":/kitbem.png")));
    QPalette palette = window_->palette();
    palette.setColor(QPalette::Window, QColor(128, 0, 128));
    window_->setPalette(palette);
    window_->setAutoFillBackground(true);
    window_->setCursor(Qt::ArrowCursor);
    // Cover the screen even where no window manager maximises windows.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window_->setGeometry(screen->availableGeometry());
    window_->showMaximized();
}

void QtLauncherWindow::ShowMessage(const std::string& text, const std::string& caption, Icon icon) {
    QMessageBox box(icon == Icon::Warning ? QMessageBox::Warning : QMessageBox::Information,
                    QString::fromLocal8Bit(caption), QString::fromLocal8Bit(text), QMessageBox::Ok,
                    window_.get());
    box.exec();
}

void QtLauncherWindow::Destroy() {
    window_.reset();
    destroyed_ = true;
    QCoreApplication::exit(0);
}
