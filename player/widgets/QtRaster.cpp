#include "widgets/QtRaster.h"

#include <QColor>
#include <QImage>
#include <QPalette>

#include "widgets/RgbImage.h"

QImage ToQImage(const RgbImage& image) {
    QImage result(image.Width(), image.Height(), QImage::Format_RGB32);
    for (int y = 0; y < image.Height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < image.Width(); ++x) {
            const Color c = image.Pixel(x, y);
            line[x] = qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
        }
    }
    return result;
}

QColor ToQColor(Color color) {
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

Color ToColor(const QColor& color) {
    return RGB(color.red(), color.green(), color.blue());
}

SystemColors SystemColorsOf(const QPalette& palette) {
    SystemColors colors;
    colors.window = ToColor(palette.color(QPalette::Base));
    colors.windowText = ToColor(palette.color(QPalette::Text));
    colors.btnFace = ToColor(palette.color(QPalette::Button));
    colors.btnShadow = ToColor(palette.color(QPalette::Dark));
    colors.btnText = ToColor(palette.color(QPalette::ButtonText));
    colors.btnHighlight = ToColor(palette.color(QPalette::Light));
    return colors;
}
