// Draws the display widgets into one enlarged picture for a person to look at: the main
// window's LCD label showing "42%" and "100" (and the other fonts and dot shapes), then all 64
// lamp pictures, dark and lit. Usage: DisplaysLook OUT.png [SCALE]. Not a test: nothing is
// checked, the picture is for the eye.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "widgets/LCDDisplay.h"
#include "widgets/LampPictures.h"
#include "widgets/QtRaster.h"

namespace {

LCDDisplay MainWindowLabel(const char* caption) {
    LCDDisplay display;
    display.SetDotMatrix(TDotMatrix::Hitachi);
    display.SetCharSpacing(3);
    display.SetLineSpacing(1);
    display.SetBorderSpace(2);
    display.SetNoOfChars(3);
    display.SetBackGround(0xD7AE6A);
    display.SetBorderStyle(TMyBorder::Raised);
    display.SetCaption(caption);
    return display;
}

LCDDisplay FontSample(TDotMatrix matrix, TPixelShape shape, const char* caption) {
    LCDDisplay display;
    display.SetDotMatrix(matrix);
    display.SetPixelShape(shape);
    // Circles need room: at 3 pixels a round dot is a plus.
    display.SetPixelSize(shape == TPixelShape::Square ? TPixelSize::pix3x3 : TPixelSize::pix4x4);
    display.SetNoOfChars(10);
    display.SetPixelOn(0x00FF8040);
    display.SetCaption(caption);
    return display;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: DisplaysLook OUT.png [SCALE]\n");
        return 2;
    }
    const int scale = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    const SystemColors colors;

    QImage sheet(560, 350, QImage::Format_RGB32);
    sheet.fill(QColor(0xD4, 0xD0, 0xC8));
    QPainter painter(&sheet);

    int x = 8;
    for (const char* caption : {"42%", "100"}) {
        LCDDisplay display = MainWindowLabel(caption);
        painter.drawImage(x, 8, ToQImage(display.Paint(colors)));
        x += 62;
    }
    const struct {
        TDotMatrix matrix;
        TPixelShape shape;
        const char* caption;
    } samples[] = {
        {TDotMatrix::mat5x7, TPixelShape::Square, "Quavrel\\~{"},
        {TDotMatrix::mat5x8, TPixelShape::Round, "gjpqy|_,A"},
        {TDotMatrix::mat7x9, TPixelShape::Shaped, "Play 42%"},
        {TDotMatrix::mat9x12, TPixelShape::Square, "QJ[?]gjpqy"},
        {TDotMatrix::Hitachi2, TPixelShape::Square,
         "\\~\x7F"
         "\xC2\xC7\xD0\xD1\xD9\xDF"
         "g"},
    };
    int y = 44;
    for (const auto& sample : samples) {
        LCDDisplay display = FontSample(sample.matrix, sample.shape, sample.caption);
        const QImage image = ToQImage(display.Paint(colors));
        painter.drawImage(8, y, image);
        y += image.height() + 4;
    }

    // The lamps: one row per shape, its four rims dark then lit, on the button face.
    const int lampsX = 410;
    const auto pictures = LampPictures();
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const RgbImage lamp = LampImageOf(pictures[i]);
        const int row = static_cast<int>(i / 4), rim = static_cast<int>(i % 4);
        for (int lit = 0; lit < 2; ++lit) {
            const QImage image =
                ToQImage(RecolourLamp(lamp, lit ? clLime : clGreen, RGB(0xD4, 0xD0, 0xC8)));
            painter.drawImage(lampsX + (lit * 4 + rim) * 16 + lit * 8, 8 + row * 16, image);
        }
    }
    painter.end();

    const QImage enlarged =
        sheet.scaled(sheet.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return enlarged.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
