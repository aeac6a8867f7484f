#include <QAccessible>
#include <QEvent>
#include <QImage>
#include <QPalette>
#include <QWidget>
#include <QtTest>
#include <vector>

#include "widgets/LampPictures.h"
#include "widgets/QtRaster.h"
#include "widgets/TAMAdvLed.h"

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

void SetBackground(QWidget& widget, const QColor& color) {
    QPalette palette = widget.palette();
    palette.setColor(widget.backgroundRole(), color);
    widget.setPalette(palette);
}

QRgb Shown(TAMAdvLed& led, int x, int y) {
    return led.grab().toImage().pixel(x, y) & 0xFFFFFF;
}

}  // namespace

class TAMAdvLedTest : public QObject {
    Q_OBJECT

private slots:
    void NewLampIsTheGreenRoundRaisedPicture() {
        QWidget parent;
        SetBackground(parent, QColor(10, 20, 30));
        TAMAdvLed led(&parent);
        QCOMPARE(led.size(), QSize(13, 13));
        QCOMPARE(led.Lamp().PictureName(), std::string("AMRNDLED3DUP"));
        const QImage expected = ToQImage(
            RecolourLamp(LampImageOf(*FindLampPicture("AMRNDLED3DUP")), 0x008000, RGB(10, 20, 30)));
        QCOMPARE(led.grab().toImage().convertToFormat(QImage::Format_RGB32), expected);
    }

    void FaceTakesColorOnAndCornersTheParentsColour() {
        QWidget parent;
        SetBackground(parent, QColor(200, 100, 50));
        TAMAdvLed led(&parent);
        led.SetLedType(TLedType::ltSquare);
        led.SetBorderStyle(TBorder::brLowered);
        led.SetColorOn(RGB(255, 0, 0));
        led.SetLedOn(true);
        const QImage shown = led.grab().toImage();
        const LampPicture& picture = *FindLampPicture("AMSQRLED3DDWN");
        for (int y = 0; y < 13; ++y) {
            for (int x = 0; x < 13; ++x) {
                const char role = picture.rows[y][x];
                const QRgb expected = role == 'S'   ? qRgb(255, 0, 0)
                                      : role == 'G' ? qRgb(128, 128, 128)
                                                    : qRgb(255, 255, 255);
                QCOMPARE(shown.pixel(x, y) & 0xFFFFFF, expected & 0xFFFFFF);
            }
        }
        led.SetLedType(TLedType::ltRound);
        QCOMPARE(Shown(led, 0, 0), qRgb(200, 100, 50) & 0xFFFFFF);
    }

    void ChangingTheParentsColourRepaintsTheCornersAtOnce() {
        QWidget parent;
        parent.resize(40, 40);
        SetBackground(parent, QColor(0, 0, 255));
        TAMAdvLed led(&parent);
        led.move(5, 5);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        QCoreApplication::processEvents();
        PaintCounter counter;
        led.installEventFilter(&counter);
        SetBackground(parent, QColor(255, 255, 0));
        QVERIFY(counter.paints >= 1);  // before any return to the event loop
        QCOMPARE(Shown(led, 0, 0), qRgb(255, 255, 0) & 0xFFFFFF);
    }

    void StateChangesRaiseTheEventWithTheirCount() {
        TAMAdvLed led;
        struct Call {
            TAMAdvLed* sender;
            bool on;
            int numSwitch;
        };
        std::vector<Call> calls;
        led.OnLedStateChanged = [&](TAMAdvLed* sender, bool on, int numSwitch) {
            calls.push_back({sender, on, numSwitch});
        };
        led.SetLedOn(true);
        led.SetLedOn(true);
        led.SetLedOn(false);
        QCOMPARE(calls.size(), std::size_t{2});
        QCOMPARE(calls[0].sender, &led);
        QCOMPARE(calls[0].on, true);
        QCOMPARE(calls[0].numSwitch, 1);
        QCOMPARE(calls[1].on, false);
        QCOMPARE(calls[1].numSwitch, 2);
    }

    void Ctl3DOffOnALoweredLampShowsTheFlatPicture() {
        TAMAdvLed led;
        led.SetLedType(TLedType::ltSquare);
        led.SetBorderStyle(TBorder::brLowered);
        led.SetCtl3D(false);
        QVERIFY(led.BorderStyle() == TBorder::brDefault);
        QCOMPARE(led.Lamp().PictureName(), std::string("AMSQRLEDFLAT"));
        QCOMPARE(Shown(led, 12, 12), qRgb(128, 128, 128) & 0xFFFFFF);  // no white rim
        led.SetBorderStyle(TBorder::brRaised);
        QVERIFY(led.Ctl3D());
        QCOMPARE(Shown(led, 0, 0), qRgb(255, 255, 255) & 0xFFFFFF);
    }

    void AScreenReaderReadsWhatTheLampShowsAndItsState() {
        TAMAdvLed led;
        led.SetAccessibleCaption(QStringLiteral("Loop"));
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(&led);
        QCOMPARE(read->role(), QAccessible::StaticText);
        QCOMPARE(read->text(QAccessible::Name), QStringLiteral("Loop off"));
        led.SetLedOn(true);
        QCOMPARE(read->text(QAccessible::Name), QStringLiteral("Loop on"));
        led.SetLedOn(false);
        QCOMPARE(read->text(QAccessible::Name), QStringLiteral("Loop off"));
    }

    void PlacedLampIs13By13OnceLoaded() {
        QWidget parent;
        TAMAdvLed led(&parent);
        led.setGeometry(7, 7, 16, 16);
        led.Loaded();
        QCOMPARE(led.geometry(), QRect(7, 7, 13, 13));
    }
};

QTEST_MAIN(TAMAdvLedTest)
#include "TAMAdvLedTest.moc"
