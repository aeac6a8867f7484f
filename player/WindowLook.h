#pragma once

#include "widgets/Colors.h"

class QToolButton;
class QWidget;

// What the main window's own panels share in looks.
inline constexpr Color kSteelBlue = 0xD7AE6A;  // the panels' face in the window's own scheme

// Fills the widget's background with the colour (a stored colour, see ToQColor).
void Paint(QWidget* widget, Color color);

// A flat button with a picture and a hint that never takes the focus; caption is its text
// where a style shows text.
QToolButton* PictureButton(QWidget* parent, const char* name, const char* caption, const char* hint,
                           const char* glyph);
