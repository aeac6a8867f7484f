#include <QAccessible>
#include <QImage>
#include <QtTest>
#include <cstdint>

#include "fakes/FakeMessageBox.h"
#include "widgets/QtRaster.h"
#include "widgets/TLCDLabel.h"

// The label as the main window sets it up: three HD44780 characters on light steel blue.
static void SetUpAsMainWindow(TLCDLabel& label) {
    label.SetDotMatrix(TDotMatrix::Hitachi);
    label.SetPixelSize(TPixelSize::pix2x2);
    label.SetPixelShape(TPixelShape::Square);
    label.SetPixelSpacing(1);
    label.SetCharSpacing(3);
    label.SetLineSpacing(1);
    label.SetBorderSpace(2);
    label.SetTextLines(1);
    label.SetNoOfChars(3);
    label.SetBackGround(0xD7AE6A);
    label.SetBorderStyle(TMyBorder::Raised);
    label.SetPixelOn(clBlack);
    label.SetPixelOff(0xAAAAAA);
}

class TLCDLabelTest : public QObject {
    Q_OBJECT

private slots:
    void WidgetShowsExactlyTheDisplaysPicture() {
        FakeMessageBox messages;
        TLCDLabel label(nullptr, &messages);
        QCOMPARE(label.size(), QSize(138, 32));
        label.SetCaption("Quavrel");
        const QImage shown = label.grab().toImage().convertToFormat(QImage::Format_RGB32);
        LCDDisplay copy = label.Display();
        const QImage expected = ToQImage(copy.Paint(SystemColorsOf(label.palette())));
        QCOMPARE(shown, expected);
    }

    void MainWindowSettingsGiveA54By26Label() {
        FakeMessageBox messages;
        TLCDLabel label(nullptr, &messages);
        SetUpAsMainWindow(label);
        QCOMPARE(label.size(), QSize(54, 26));
        QCOMPARE(label.sizeHint(), QSize(54, 26));
        QCOMPARE(label.Display().CharWidth(), 14);
        QCOMPARE(label.Display().CharHeight(), 20);
        QVERIFY(messages.shown.empty());
    }

    void ResizingFromOutsideFitsWholeCells() {
        FakeMessageBox messages;
        TLCDLabel label(nullptr, &messages);
        SetUpAsMainWindow(label);
        label.show();  // a hidden widget hears of its new size only when shown
        QVERIFY(QTest::qWaitForWindowExposed(&label));
        label.resize(100, 26);
        QCOMPARE(label.Display().NoOfChars(), 5);
        QCOMPARE(label.size(), QSize(88, 26));
        label.resize(10, 10);
        QCOMPARE(label.Display().NoOfChars(), 1);
        QCOMPARE(label.Display().TextLines(), 1);
        QCOMPARE(label.size(), QSize(20, 26));
    }

    void SameCaptionSetTwicePaintsOnce() {
        FakeMessageBox messages;
        TLCDLabel label(nullptr, &messages);
        SetUpAsMainWindow(label);
        label.show();
        QVERIFY(QTest::qWaitForWindowExposed(&label));
        QTRY_VERIFY(label.PaintCount() > 0);
        QCoreApplication::processEvents();
        const int before = label.PaintCount();
        // Painted at once, not at the next turn of the event loop.
        label.SetCaption("42%");
        QCOMPARE(label.PaintCount(), before + 1);
        label.SetCaption("42%");
        QCOMPARE(label.PaintCount(), before + 1);
        label.SetCaption("43%");
        QCOMPARE(label.PaintCount(), before + 2);
    }

    void RefusedValueShowsItsMessageAndChangesNothing() {
        FakeMessageBox messages;
        TLCDLabel label(nullptr, &messages);
        SetUpAsMainWindow(label);
        label.SetCaption("42%");
        const QImage before = label.grab().toImage();
        label.SetTextLines(0);
        QCOMPARE(messages.shown.size(), std::size_t{1});
        QCOMPARE(messages.shown[0].text, std::string("Display needs at least on line!"));
        QCOMPARE(messages.shown[0].caption, std::string("Error"));
        QVERIFY(messages.shown[0].icon == MessageBox::Icon::Error);
        QVERIFY(messages.shown[0].buttons == MessageBox::Buttons::Ok);
        QCOMPARE(label.Display().TextLines(), 1);
        QCOMPARE(label.size(), QSize(54, 26));
        QCOMPARE(label.grab().toImage(), before);

        label.SetPixelSpacing(-1);
        QCOMPARE(messages.shown.size(), std::size_t{2});
        QCOMPARE(messages.shown[1].text, std::string("Pixel spacing can't be less than zero!"));
    }

    void PropertyChangeResizesTheWidget() {
        FakeMessageBox messages;
        TLCDLabel label(nullptr, &messages);
        SetUpAsMainWindow(label);
        label.SetTextLines(2);
        QCOMPARE(label.size(), QSize(54, 2 * 2 + 1 + 2 * 20 + 2));
        label.SetDotMatrix(TDotMatrix::mat9x12);
        QCOMPARE(label.size(), QSize(2 * 2 + 2 * 3 + 3 * 26 + 2, 2 * 2 + 1 + 2 * 35 + 2));
    }

    void AScreenReaderReadsTheTextAsNameAndValue() {
        FakeMessageBox messages;
        TLCDLabel label(nullptr, &messages);
        SetUpAsMainWindow(label);
        label.SetCaption("42%");
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(&label);
        QCOMPARE(read->role(), QAccessible::StaticText);
        QCOMPARE(read->text(QAccessible::Name), QStringLiteral("42%"));
        QCOMPARE(read->text(QAccessible::Value), QStringLiteral("42%"));
        QVERIFY(read->valueInterface() != nullptr);
        QCOMPARE(read->valueInterface()->currentValue().toInt(), 42);
        QCOMPARE(read->valueInterface()->maximumValue().toInt(), 100);
        label.SetCaption(" 7%");
        QCOMPARE(read->text(QAccessible::Name), QStringLiteral("7%"));
        label.SetCaption("   ");  // no length: nothing to read, and no number
        QCOMPARE(read->text(QAccessible::Name), QString());
        QVERIFY(!read->valueInterface()->currentValue().isValid());
    }

    void ChangesAreAnnouncedAtMostOnceASecond() {
        FakeMessageBox messages;
        TLCDLabel label(nullptr, &messages);
        std::int64_t now = 50000;
        label.SetAnnounceClock([&] { return now; });
        // The progress timer's pace: a new text every 200 ms.
        for (int percent = 10; percent < 20; ++percent) {
            label.SetCaption(std::to_string(percent) + "%");
            now += 200;
        }
        QCOMPARE(label.AnnounceCount(), 2);  // at 0 and 1000 ms
        label.SetCaption("19%");             // unchanged: nothing to tell
        now += 5000;
        label.SetCaption("20%");
        QCOMPARE(label.AnnounceCount(), 3);
    }

    void LeftClickReachesOnClick() {
        FakeMessageBox messages;
        TLCDLabel label(nullptr, &messages);
        int clicks = 0, doubleClicks = 0;
        label.OnClick = [&] { ++clicks; };
        label.OnDblClick = [&] { ++doubleClicks; };
        QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(&label, Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(clicks, 1);
        QTest::mouseDClick(&label, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(doubleClicks, 1);
    }
};

QTEST_MAIN(TLCDLabelTest)
#include "TLCDLabelTest.moc"
