#pragma once

#include "widgets/Colors.h"

class QColor;
class QImage;
class QPalette;
class RgbImage;

// The seam between the display widgets' pictures and Qt: colours and pictures converted both
// ways, and the desktop's system colours read from a palette.

// The picture as a QImage of the same size (RGB32), ready to be drawn in one block.
QImage ToQImage(const RgbImage& image);
QColor ToQColor(Color color);  // color must be plain (resolve system colours first)
Color ToColor(const QColor& color);
// clBtnFace is the palette's Button, clBtnShadow its Dark, clBtnHighlight its Light, the window
// colour its Base.
SystemColors SystemColorsOf(const QPalette& palette);
