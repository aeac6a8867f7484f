#include "widgets/TTrayIcon.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMenu>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <cstdlib>
#include <memory>

#include "widgets/TaskbarHider.h"

namespace {

// The single-copy check's socket: in the user's runtime folder, so copies run by different
// users never meet, named after IDMessage ("/" would name a folder, so it becomes "_").
QString ServerPath(const QString& id) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    QString name = id;
    name.replace(QChar('/'), QChar('_'));
    return folder + QChar('/') + name;
}

constexpr int kConnectMs = 1000;  // a running first copy accepts within the kernel at once

}  // namespace

TTrayIcon::TTrayIcon(QObject* parent)
    : QObject(parent), icon_(new QSystemTrayIcon(this)), hider_(new TaskbarHider(this)) {
    connect(icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) { Activated(reason); });
    ApplyShowApp();
}

TTrayIcon::~TTrayIcon() {
    if (active_)
        icon_->hide();
}

void TTrayIcon::SetActive(bool active) {
    if (active == active_)
        return;
    active_ = active;
    UpdateIcon();
    icon_->setVisible(active);
    // A tooltip set right after activation (as the form loader does) is applied once more when
    // the events queued so far have run, so it reaches an icon the tray has just taken in.
    if (active && toolTip_.isEmpty())
        QMetaObject::invokeMethod(
            this, [this] { UpdateIcon(); }, Qt::QueuedConnection);
}

void TTrayIcon::SetIcon(const QIcon& icon) {
    iconImage_ = icon;
    UpdateIcon();
}

void TTrayIcon::SetToolTip(const QString& toolTip) {
    toolTip_ = toolTip.left(MaxToolTip);
    UpdateIcon();
}

void TTrayIcon::UpdateIcon() {
    icon_->setIcon(iconImage_);
    icon_->setToolTip(toolTip_);
}

void TTrayIcon::SetShowApp(bool showApp) {
    showApp_ = showApp;
    ApplyShowApp();
}

void TTrayIcon::ApplyShowApp() {
    // Without a tray the task-bar button is the only way back to a minimised window: keep it.
    hider_->SetHiding(!showApp_ && QSystemTrayIcon::isSystemTrayAvailable());
}

void TTrayIcon::Activated(int reason) {
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            if (OnClick)
                OnClick();
            break;
        case QSystemTrayIcon::DoubleClick:
            // The tray reports the first click and then the double click; the release that
            // ends a double click is a click as well.
            if (OnDblClick)
                OnDblClick();
            if (OnClick)
                OnClick();
            break;
        case QSystemTrayIcon::Context:
            RightClick();
            break;
        default:
            break;
    }
}

void TTrayIcon::RightClick() {
    rightClickPos_ = QCursor::pos();
    if (popupMenu_ != nullptr) {
        // Let pending work (a window being hidden or shown) finish before the menu grabs the
        // pointer, so the menu opens in front and closes when the user clicks elsewhere.
        QCoreApplication::processEvents();
        popupMenu_->popup(rightClickPos_);
        popupMenu_->activateWindow();
    }
    if (OnRightClick)
        OnRightClick();
}

void TTrayIcon::Loaded() {
    if (!idMessage_.isEmpty())
        CheckSingleCopy();
    ApplyShowApp();
}

bool TTrayIcon::HandToFirstCopy(const QString& id, const QByteArray& handOver) {
    QLocalSocket first;
    first.connectToServer(ServerPath(id));
    if (!first.waitForConnected(kConnectMs))
        return false;
    first.write(id.toUtf8() + '\n' + handOver);
    first.flush();
    while (first.bytesToWrite() > 0 && first.waitForBytesWritten(kConnectMs)) {
    }
    first.disconnectFromServer();
    if (first.state() != QLocalSocket::UnconnectedState)
        first.waitForDisconnected(kConnectMs);
    return true;
}

void TTrayIcon::CheckSingleCopy() {
    if (server_ != nullptr)
        return;
    // Another copy runs: end at once, as the program has not started anything yet.
    if (HandToFirstCopy(idMessage_, handOver_))
        std::_Exit(0);

    const QString path = ServerPath(idMessage_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket left behind by a copy that crashed answers nobody: take its place.
    if (!server_->listen(path) && QLocalServer::removeServer(path))
        server_->listen(path);
    if (!server_->isListening()) {
        delete server_;
        server_ = nullptr;
        return;
    }
    connect(server_, &QLocalServer::newConnection, this, [this] { ReadSecondCopy(); });
}

void TTrayIcon::ReadSecondCopy() {
    while (QLocalSocket* later = server_->nextPendingConnection()) {
        connect(later, &QLocalSocket::disconnected, later, &QObject::deleteLater);
        // The IDMessage line, then the hand-over up to its empty line; a copy that sends only
        // its line and goes away (or an older one) is taken when it disconnects.
        auto received = std::make_shared<QByteArray>();
        auto done = std::make_shared<bool>(false);
        auto deliver = [this, later, received, done](bool closing) {
            if (*done)
                return;
            received->append(later->readAll());
            const qsizetype newline = received->indexOf('\n');
            if (newline < 0)
                return;
            const QByteArray handOver = received->mid(newline + 1);
            const bool complete = handOver.startsWith('\n') || handOver.contains("\n\n");
            if (!complete && !closing)
                return;
            *done = true;
            later->disconnectFromServer();
            if (OnSecondCopy)
                OnSecondCopy(QString::fromUtf8(received->left(newline)).trimmed());
            if (OnHandOver)
                OnHandOver(handOver);
        };
        connect(later, &QLocalSocket::readyRead, this, [deliver] { deliver(false); });
        connect(later, &QLocalSocket::disconnected, this, [deliver] { deliver(true); });
        deliver(false);  // the message may have arrived with the connection
    }
}
