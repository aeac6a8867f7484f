#include "widgets/TTrayIcon.h"

#include <QApplication>
#include <QCursor>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "startup/HandOverReader.h"
#include "startup/SingleCopy.h"
#include "widgets/TaskbarHider.h"

namespace {

// The single-copy check's socket: in the user's runtime folder, so copies run by different
// users never meet, named after IDMessage.
QString ServerPath(const QString& id) {
    return QString::fromStdString(SingleCopy::SocketPath(id.toStdString()));
}

// A running first copy takes a hand-over within the kernel at once; a busy one may take a while
// to read it, and a start never becomes a second player meanwhile.
constexpr std::chrono::milliseconds kSendWait{1000};
constexpr std::chrono::milliseconds kClaimWait{15000};
// A later start that connects and then sends nothing (or never its end) is let go after this.
constexpr int kIdleMs = 10000;

QByteArray Message(const QString& id, const QByteArray& handOver) {
    return id.toUtf8() + '\n' + handOver;
}

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
    const QByteArray message = Message(id, handOver);
    return SingleCopy::Send(ServerPath(id).toStdString(),
                            std::string_view(message.constData(), message.size()), kSendWait);
}

void TTrayIcon::CheckSingleCopy() {
    if (server_ != nullptr)
        return;
    const QString path = ServerPath(idMessage_);
    const QByteArray message = Message(idMessage_, handOver_);
    switch (SingleCopy::Claim(path.toStdString(),
                              std::string_view(message.constData(), message.size()), kClaimWait)) {
        case SingleCopy::Outcome::HandedOver:
            // Another copy runs: end at once, as the program has not started anything yet.
            std::_Exit(0);
        case SingleCopy::Outcome::NoAnswer:
            std::fputs("qvrl: another copy runs with these settings and does not answer\n", stderr);
            std::_Exit(1);
        case SingleCopy::Outcome::First:
            break;
    }

    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // This copy holds the lock: a socket at the path is one a crashed copy left.
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
        auto reader = std::make_shared<HandOverReader>();
        auto idle = new QTimer(later);
        idle->setSingleShot(true);
        connect(idle, &QTimer::timeout, later, [later] { later->abort(); });
        idle->start(kIdleMs);
        auto deliver = [this, later, reader](bool closing) {
            if (reader->Current() != HandOverReader::State::Reading)
                return;
            const QByteArray bytes = later->readAll();
            HandOverReader::State state =
                reader->Feed(std::string_view(bytes.constData(), bytes.size()));
            if (state == HandOverReader::State::Reading && closing)
                state = reader->Close();
            if (state == HandOverReader::State::Reading)
                return;
            // Read whole, or dropped for its size: either way this connection is done.
            later->abort();
            if (state != HandOverReader::State::Complete)
                return;
            const std::string_view name = reader->Name();
            const std::string_view handOver = reader->HandOver();
            if (OnSecondCopy)
                OnSecondCopy(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
            if (OnHandOver)
                OnHandOver(QByteArray(handOver.data(), static_cast<qsizetype>(handOver.size())));
        };
        connect(later, &QLocalSocket::readyRead, this, [deliver] { deliver(false); });
        connect(later, &QLocalSocket::disconnected, this, [deliver] { deliver(true); });
        deliver(false);  // the message may have arrived with the connection
    }
}
