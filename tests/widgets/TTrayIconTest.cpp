#include <QCursor>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QUuid>
#include <QtTest>

#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "startup/SingleCopy.h"
#include "widgets/TTrayIcon.h"

namespace {

QSystemTrayIcon* ShellIcon(TTrayIcon& tray) {
    return tray.findChild<QSystemTrayIcon*>();
}

QString UniqueId() {
    return QStringLiteral("QuavrelTest-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

// Runs a second copy under id and returns its exit code (-1 if it did not end by itself).
int RunSecondCopy(const QString& id) {
    QProcess copy;
    copy.setProcessChannelMode(QProcess::ForwardedChannels);
    copy.start(QStringLiteral(QVRL_SECOND_COPY), {id});
    if (!copy.waitForFinished(30000) || copy.exitStatus() != QProcess::NormalExit) {
        copy.kill();
        copy.waitForFinished();
        return -1;
    }
    return copy.exitCode();
}

// Waits for a child process while the event loop runs; its exit code, or -1.
int WaitForChild(pid_t child, int timeoutMs) {
    int status = 0;
    pid_t done = 0;
    QElapsedTimer clock;
    clock.start();
    while ((done = ::waitpid(child, &status, WNOHANG)) == 0 && clock.elapsed() < timeoutMs)
        QTest::qWait(10);
    if (done != child) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

class TTrayIconTest : public QObject {
    Q_OBJECT

private slots:
    void ToolTipKeepsItsFirst62Characters() {
        TTrayIcon tray;
        const QString text = QString(60, QChar('a')) + QStringLiteral("bcdefghijk");
        QCOMPARE(text.size(), 70);
        tray.SetToolTip(text);
        QCOMPARE(tray.ToolTip(), text.left(62));
        QCOMPARE(ShellIcon(tray)->toolTip(), text.left(62));
        tray.SetToolTip(QStringLiteral("Closing"));
        QCOMPARE(ShellIcon(tray)->toolTip(), QStringLiteral("Closing"));
    }

    void IconAndActiveReachTheShellIcon() {
        TTrayIcon tray;
        QPixmap picture(16, 16);
        picture.fill(Qt::red);
        tray.SetIcon(QIcon(picture));
        QCOMPARE(ShellIcon(tray)->icon().cacheKey(), tray.Icon().cacheKey());
        QVERIFY(!ShellIcon(tray)->isVisible());
        tray.SetActive(true);
        QVERIFY(tray.Active());
        QVERIFY(ShellIcon(tray)->isVisible());
        tray.SetActive(false);
        QVERIFY(!ShellIcon(tray)->isVisible());
    }

    void ClicksAndDoubleClicksReachTheirEvents() {
        TTrayIcon tray;
        QStringList events;
        tray.OnClick = [&] { events << QStringLiteral("click"); };
        tray.OnDblClick = [&] { events << QStringLiteral("double"); };
        emit ShellIcon(tray)->activated(QSystemTrayIcon::Trigger);
        QCOMPARE(events, QStringList{"click"});
        // A double click as the tray reports it: the first click, then the double click, whose
        // release is one more click.
        events.clear();
        emit ShellIcon(tray)->activated(QSystemTrayIcon::Trigger);
        emit ShellIcon(tray)->activated(QSystemTrayIcon::DoubleClick);
        QCOMPARE(events, (QStringList{"click", "double", "click"}));
        events.clear();
        emit ShellIcon(tray)->activated(QSystemTrayIcon::MiddleClick);
        QVERIFY(events.isEmpty());
    }

    void RightClickOpensTheMenuAtThePointerThenReports() {
        TTrayIcon tray;
        QMenu menu;
        menu.addAction(QStringLiteral("Exit"));
        tray.SetPopupMenu(&menu);
        QCursor::setPos(120, 90);
        bool menuWasOpen = false;
        int rightClicks = 0;
        tray.OnRightClick = [&] {
            ++rightClicks;
            menuWasOpen = menu.isVisible();
        };
        emit ShellIcon(tray)->activated(QSystemTrayIcon::Context);
        QCOMPARE(rightClicks, 1);
        QVERIFY(menuWasOpen);
        QCOMPARE(tray.RightClickPos(), QCursor::pos());
        QCOMPARE(menu.pos(), QCursor::pos());
        menu.close();

        // Without a menu the event still comes.
        tray.SetPopupMenu(nullptr);
        emit ShellIcon(tray)->activated(QSystemTrayIcon::Context);
        QCOMPARE(rightClicks, 2);
    }

    void WithoutIdMessageThereIsNoCheck() {
        TTrayIcon tray;
        tray.Loaded();
        QVERIFY(!tray.IsFirstCopy());
    }

    void SecondCopyEndsAfterSendingItsMessageToTheFirst() {
        const QString id = UniqueId();
        TTrayIcon first;
        first.SetIDMessage(id);
        QStringList received;
        first.OnSecondCopy = [&](const QString& message) { received << message; };
        first.Loaded();
        QVERIFY(first.IsFirstCopy());

        QCOMPARE(RunSecondCopy(id), 0);
        QTRY_COMPARE(received, QStringList{id});
        QCOMPARE(RunSecondCopy(id), 0);
        QTRY_COMPARE(received, (QStringList{id, id}));

        // Another name is another program: that copy runs on.
        QCOMPARE(RunSecondCopy(UniqueId()), 3);
    }

    void ALaterCopyHandsOverWhatFollowsItsName() {
        const QString id = UniqueId();
        TTrayIcon first;
        first.SetIDMessage(id);
        QList<QByteArray> received;
        first.OnHandOver = [&](const QByteArray& handOver) { received << handOver; };
        first.Loaded();
        QVERIFY(TTrayIcon::HandToFirstCopy(id, "/a%20b.flac\n/c.ogg\n\n"));
        QTRY_COMPARE(received, QList<QByteArray>{"/a%20b.flac\n/c.ogg\n\n"});
        QVERIFY(TTrayIcon::HandToFirstCopy(id, "\n"));  // nothing but "come forward"
        QTRY_COMPARE(received.size(), 2);
        QCOMPARE(received[1], QByteArray("\n"));
        QVERIFY(!TTrayIcon::HandToFirstCopy(UniqueId(), "\n"));  // nobody answers
        // A later copy given no hand-over sends the empty one.
        QCOMPARE(RunSecondCopy(id), 0);
        QTRY_COMPARE(received.size(), 3);
        QCOMPARE(received[2], QByteArray("\n"));
    }

    void SocketLeftByACrashedCopyIsTakenOver() {
        const QString id = UniqueId();
        QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        QFile leftover(folder + QChar('/') + id);
        QVERIFY(leftover.open(QIODevice::WriteOnly));
        leftover.close();

        TTrayIcon first;
        first.SetIDMessage(id);
        first.Loaded();
        QVERIFY(first.IsFirstCopy());
        QCOMPARE(RunSecondCopy(id), 0);
    }

    void TwoHundredConcurrentLaterStartsAllArrive() {
        const QString id = UniqueId();
        TTrayIcon first;
        first.SetIDMessage(id);
        QList<QByteArray> received;
        first.OnHandOver = [&](const QByteArray& handOver) { received << handOver; };
        first.Loaded();
        QVERIFY(first.IsFirstCopy());
        const std::string path = SingleCopy::SocketPath(id.toStdString());
        std::vector<pid_t> starts;
        for (int k = 0; k < 200; ++k) {
            const pid_t start = ::fork();
            if (start == 0) {
                const std::string message =
                    id.toStdString() + "\n/f" + std::to_string(k) + ".ogg\n\n";
                ::_exit(SingleCopy::Send(path, message, std::chrono::seconds(20)) ? 0 : 1);
            }
            starts.push_back(start);
        }
        QTRY_COMPARE_WITH_TIMEOUT(received.size(), 200, 30000);
        for (const pid_t start : starts)
            QCOMPARE(WaitForChild(start, 10000), 0);
        QSet<QByteArray> distinct(received.begin(), received.end());
        QCOMPARE(distinct.size(), 200);
    }

    // A start that sends far more than any hand-over, with no end, is cut off without being
    // kept; the copy answers the next start.
    void AnOversizedHandOverIsDroppedAndItsConnectionClosed() {
        const QString id = UniqueId();
        TTrayIcon first;
        first.SetIDMessage(id);
        int received = 0;
        first.OnHandOver = [&](const QByteArray&) { ++received; };
        first.Loaded();
        const std::string path = SingleCopy::SocketPath(id.toStdString());
        const pid_t flood = ::fork();
        if (flood == 0) {
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
            if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
                ::_exit(2);
            const std::string chunk(64 * 1024, 'x');
            for (std::size_t sent = 0; sent < (std::size_t{300} << 20);) {
                const ssize_t n = ::send(fd, chunk.data(), chunk.size(), MSG_NOSIGNAL);
                if (n < 0)
                    ::_exit(0);  // cut off
                sent += static_cast<std::size_t>(n);
            }
            ::_exit(1);  // 300 MB taken
        }
        QCOMPARE(WaitForChild(flood, 60000), 0);
        QCOMPARE(received, 0);
        QVERIFY(TTrayIcon::HandToFirstCopy(id, "/after.ogg\n\n"));
        QTRY_COMPARE(received, 1);
    }
};

QTEST_MAIN(TTrayIconTest)
#include "TTrayIconTest.moc"
