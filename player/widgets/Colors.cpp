#include "widgets/Colors.h"

Color SystemColors::Resolve(Color color) const {
    if (!IsSystemColor(color))
        return color & 0xFFFFFF;
    switch (color & 0xFF) {
        case 5:
            return window;
        case 8:
            return windowText;
        case 16:
            return btnShadow;
        case 18:
            return btnText;
        case 20:
            return btnHighlight;
        default:
            return btnFace;
    }
}
