#include "toolbars/ToQColor.h"

QColor ToQColor(Color color, const QPalette& palette) {
    if (!IsSystemColor(color))
        return QColor(int(color & 0xFF), int(color >> 8 & 0xFF), int(color >> 16 & 0xFF));
    switch (color) {
        case clBtnShadow:
            return palette.color(QPalette::Dark);
        case clBtnHighlight:
            return palette.color(QPalette::Light);
        case clWindow:
            return palette.color(QPalette::Base);
        case clWindowText:
            return palette.color(QPalette::WindowText);
        case clBtnText:
            return palette.color(QPalette::ButtonText);
        default:
            return palette.color(QPalette::Button);
    }
}
