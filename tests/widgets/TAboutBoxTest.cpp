#include <QDesktopServices>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <QtTest>
#include <vector>

#include "widgets/TAboutBox.h"

// Stands in for the desktop's handlers: every address handed over is recorded, none opened.
class OpenedLinks : public QObject {
    Q_OBJECT

public:
    QStringList opened;

public slots:
    void Open(const QUrl& url) { opened.append(url.toString()); }
};

class TAboutBoxTest : public QObject {
    Q_OBJECT

private:
    std::vector<QRect> Geometries(const TAboutBox& box) {
        return {box.Panel1->geometry(), box.Label1->geometry(), box.MMLabel1->geometry(),
                box.Build->geometry(),  box.Label2->geometry(), box.MMLabel2->geometry()};
    }
    // Ticks until nothing moves; returns the number of ticks that moved something.
    int TicksUntilRest(TAboutBox& box) {
        int ticks = 0;
        for (;;) {
            const std::vector<QRect> before = Geometries(box);
            box.Timer1Timer();
            if (Geometries(box) == before)
                return ticks;
            ++ticks;
            if (ticks > 1000)
                return ticks;
        }
    }
    static void Click(QWidget* widget, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(widget, Qt::LeftButton, modifiers, widget->rect().center());
    }

    OpenedLinks links_;

private slots:
    void initTestCase() {
        // The program looks for the read-me beside its folder; this test runs from another, so
        // it finds the build's copy among the data folders.
        qputenv("XDG_DATA_DIRS", QVRL_BUILD_SHARE);
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &links_, "Open");
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &links_, "Open");
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &links_, "Open");
    }
    void cleanupTestCase() {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    }
    void init() { links_.opened.clear(); }

    void WindowIsAnAlwaysOnTopDialog() {
        TAboutBox box;
        QCOMPARE(box.windowTitle(), QStringLiteral("About"));
        QCOMPARE(box.size(), QSize(373, 209));
        QVERIFY(box.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(box.palette().color(QPalette::Window), QColor(0, 128, 192));
        QCOMPARE(box.MediaS->text(), QStringLiteral("Quavrel v2.0"));
        QCOMPARE(box.BitBtn1->text(), QStringLiteral("O K"));
        QVERIFY(!box.Timer1->isActive());
        QVERIFY(box.Image3->isHidden());
        QVERIFY(box.Label3->isHidden());
    }

    void FirstShowingAnimatesAndLaterOnesFindEverythingInPlace() {
        TAboutBox box;
        box.show();
        QVERIFY(box.Timer1->isActive());
        const int w = box.frameGeometry().width();
        QVERIFY(box.Label2->x() < 0 && box.MMLabel1->y() < 0 && box.Build->x() >= w);
        QCOMPARE(box.Panel1->width(), 0);

        const int ticks = TicksUntilRest(box);
        QVERIFY2(ticks > 100 && ticks < 200, qPrintable(QString::number(ticks)));
        QVERIFY(box.Panel1->x() <= 0 && box.Panel1->geometry().right() >= 372);
        // Each part rests within 6 pixels beyond the line it was heading for.
        const auto restsNear = [](int position, int line) {
            return position > line && position <= line + 6;
        };
        QVERIFY(restsNear(w - box.Build->width() - 20, box.Build->x()));
        QVERIFY(restsNear(w - box.MMLabel2->width() - 20, box.MMLabel2->x()));
        QVERIFY(restsNear(box.Label2->x(), 20));
        QVERIFY(restsNear(box.Label1->x(), w - box.Label1->width() - 20));
        QVERIFY(restsNear(box.MMLabel1->y(), box.BitBtn1->y() - 32));
        for (const QWidget* label : {box.Build, box.Label1, box.Label2, box.MMLabel1, box.MMLabel2})
            QVERIFY(box.rect().contains(label->geometry()));
        QVERIFY(!box.Label2->geometry().intersects(box.MMLabel2->geometry()));
        QVERIFY(!box.MMLabel1->geometry().intersects(box.BitBtn1->geometry()));

        Click(box.BitBtn1);
        QVERIFY(!box.isVisible());
        QVERIFY(!box.Timer1->isActive());

        const std::vector<QRect> rested = Geometries(box);
        box.show();
        QVERIFY(box.Timer1->isActive());
        QCOMPARE(TicksUntilRest(box), 0);
        QCOMPARE(Geometries(box), rested);
        box.close();
        QVERIFY(!box.Timer1->isActive());
    }

    void CtrlClickShowsTheSecondPictureInsteadOfClosing() {
        TAboutBox box;
        box.show();
        Click(box.BitBtn1, Qt::ControlModifier);
        QVERIFY(box.isVisible());
        QVERIFY(box.Image3->isVisible());
        QVERIFY(box.Label3->isVisible());
        QVERIFY(!box.BitBtn1->isVisible());
        QVERIFY(!box.Panel1->isVisible());
        box.BitBtn1Click();
        QVERIFY(box.isVisible());

        // It stays for the rest of the run; the frame still closes the window.
        box.close();
        QVERIFY(!box.isVisible());
        box.show();
        QVERIFY(box.Image3->isVisible());
        QVERIFY(!box.BitBtn1->isVisible());
        box.close();
    }

    void TitleSecondPictureAndF1OpenTheInstalledReadMeAndTheLabelsNothing() {
        TAboutBox box;
        box.show();
        TicksUntilRest(box);
        Click(box.MMLabel1);
        Click(box.MMLabel2);
        QVERIFY(links_.opened.isEmpty());
        Click(box.MediaS);
        QCOMPARE(links_.opened.size(), 1);
        const QUrl readMe(links_.opened[0]);
        QVERIFY(readMe.isLocalFile());
        QVERIFY(readMe.toLocalFile().endsWith(QStringLiteral("/share/doc/quavrel/README.html")));
        QVERIFY2(QFileInfo::exists(readMe.toLocalFile()), qPrintable(readMe.toLocalFile()));
        QTest::keyClick(&box, Qt::Key_F1);
        QCOMPARE(links_.opened.size(), 2);
        QCOMPARE(links_.opened[1], links_.opened[0]);

        Click(box.BitBtn1, Qt::ControlModifier);
        Click(box.Image3);
        QCOMPARE(links_.opened.size(), 3);
        QVERIFY(QUrl(links_.opened[2]).isLocalFile());
        QCOMPARE(box.MMLabel1->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(box.MMLabel2->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(box.Image3->cursor().shape(), Qt::PointingHandCursor);
        box.close();
    }

    void ShowsTheProjectsNameAndNoPlaceholder() {
        TAboutBox box;
        QCOMPARE(box.MMLabel1->text(), QStringLiteral("Quavrel"));
        for (const QLabel* label : box.findChildren<QLabel*>())
            QVERIFY2(!label->text().contains(QStringLiteral("example")) &&
                         !label->text().contains(QStringLiteral("developers")),
                     qPrintable(label->text()));
    }
};

QTEST_MAIN(TAboutBoxTest)
#include "TAboutBoxTest.moc"
