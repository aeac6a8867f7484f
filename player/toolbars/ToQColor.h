#pragma once

#include <QColor>
#include <QPalette>

#include "widgets/Colors.h"

// A stored colour for Qt: a plain value by its bytes (red lowest), a system colour from the
// palette (clBtnFace the button colour, clBtnShadow dark, clBtnHighlight light, clWindow base).
QColor ToQColor(Color color, const QPalette& palette);
