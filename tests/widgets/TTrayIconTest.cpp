#include <QCursor>
#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QUuid>
#include <QtTest>

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
};

QTEST_MAIN(TTrayIconTest)
#include "TTrayIconTest.moc"
