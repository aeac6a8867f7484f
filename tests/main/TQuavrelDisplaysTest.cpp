#include <QSystemTrayIcon>
#include <QTest>

#include <memory>

#include "TQuavrel.h"
#include "support/FindPart.h"
#include "support/MainWindowFakes.h"
#include "widgets/TAMAdvLed.h"
#include "widgets/TLCDLabel.h"
#include "widgets/TTrayIcon.h"

// The main window's displays (the progress LCD, the mode lamps) and its tray icon's clicks.
class TQuavrelDisplaysTest : public QObject, protected MainWindowFakes {
    Q_OBJECT

private:
    std::unique_ptr<TQuavrel> Start() { return std::make_unique<TQuavrel>(Services()); }

private slots:
    void init() { NewSettingsFolder(); }

    void LcdLabelHasTheProgressSettings() {
        auto window = Start();
        const TLCDLabel* lcd = Part<TLCDLabel>(*window, "LCDLabel1");
        QVERIFY(lcd);
        QCOMPARE(lcd->size(), QSize(54, 26));
        QCOMPARE(lcd->toolTip(), QStringLiteral("Percentage Played"));
        const LCDDisplay& display = lcd->Display();
        QVERIFY(display.DotMatrix() == TDotMatrix::Hitachi);
        QVERIFY(display.PixelSize() == TPixelSize::pix2x2);
        QVERIFY(display.PixelShape() == TPixelShape::Square);
        QVERIFY(display.BorderStyle() == TMyBorder::Raised);
        QCOMPARE(display.PixelSpacing(), 1);
        QCOMPARE(display.CharSpacing(), 3);
        QCOMPARE(display.LineSpacing(), 1);
        QCOMPARE(display.BorderSpace(), 2);
        QCOMPARE(display.TextLines(), 1);
        QCOMPARE(display.NoOfChars(), 3);
        QCOMPARE(display.BackGround(), Color{0xD7AE6A});
        QCOMPARE(display.PixelOn(), Color{0});
        QCOMPARE(display.PixelOff(), Color{0xAAAAAA});
        QVERIFY(messages_.shown.empty());
    }

    void ModeLampsAreSunkenSquaresWithTheLoopPairLit() {
        auto window = Start();
        const struct {
            TAMAdvLed* lamp;
            const char* name;
            bool lit;
        } lamps[] = {{Part<TAMAdvLed>(*window, "LedS"), "LedS", false},
                     {Part<TAMAdvLed>(*window, "AMAdvLed1"), "AMAdvLed1", false},
                     {Part<TAMAdvLed>(*window, "LedL"), "LedL", true},
                     {Part<TAMAdvLed>(*window, "AMAdvLed2"), "AMAdvLed2", true},
                     {Part<TAMAdvLed>(*window, "LedP"), "LedP", false},
                     {Part<TAMAdvLed>(*window, "AMAdvLed3"), "AMAdvLed3", false}};
        for (const auto& entry : lamps) {
            QVERIFY2(entry.lamp, entry.name);
            QCOMPARE(entry.lamp->objectName(), QString::fromLatin1(entry.name));
            QCOMPARE(entry.lamp->Lamp().PictureName(), std::string("AMSQRLED3DDWN"));
            QCOMPARE(entry.lamp->ColorOn(), Color{0x00FF00});
            QCOMPARE(entry.lamp->ColorOff(), Color{0});
            QCOMPARE(entry.lamp->size(), QSize(13, 13));
            QVERIFY2(entry.lamp->LedOn() == entry.lit, entry.name);
        }
    }

    void EachLeftLampLightsItsTwin() {
        auto window = Start();
        Part<TAMAdvLed>(*window, "LedS")->SetLedOn(true);
        QVERIFY(Part<TAMAdvLed>(*window, "AMAdvLed1")->LedOn());
        Part<TAMAdvLed>(*window, "LedL")->SetLedOn(false);
        QVERIFY(!Part<TAMAdvLed>(*window, "AMAdvLed2")->LedOn());
        Part<TAMAdvLed>(*window, "LedP")->SetLedOn(true);
        QVERIFY(Part<TAMAdvLed>(*window, "AMAdvLed3")->LedOn());
        Part<TAMAdvLed>(*window, "LedP")->SetLedOn(false);
        QVERIFY(!Part<TAMAdvLed>(*window, "AMAdvLed3")->LedOn());
        QVERIFY(Part<TAMAdvLed>(*window, "AMAdvLed1")->LedOn());
    }

    void TrayClicksShowAndHideTheWindow() {
        auto window = Start();
        auto* shellIcon = Part<TTrayIcon>(*window, "TrayIcon")->findChild<QSystemTrayIcon*>();
        QVERIFY(shellIcon);
        QVERIFY(window->isVisible());
        emit shellIcon->activated(QSystemTrayIcon::Trigger);
        QVERIFY(!window->isVisible());
        emit shellIcon->activated(QSystemTrayIcon::Trigger);
        QVERIFY(window->isVisible());
        // A double click: its first click hides the window, its second shows it again.
        emit shellIcon->activated(QSystemTrayIcon::Trigger);
        emit shellIcon->activated(QSystemTrayIcon::DoubleClick);
        QVERIFY(window->isVisible());
    }
};

QTEST_MAIN(TQuavrelDisplaysTest)
#include "TQuavrelDisplaysTest.moc"
