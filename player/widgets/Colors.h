#pragma once

#include <cstdint>

// A colour as the program stores it: red in the low byte, then green, then blue. A value whose
// high byte is 0x80 names a system colour by its index in the low byte; SystemColors turns such
// a value into a plain one at drawing time.
using Color = std::uint32_t;

constexpr Color clBlack = 0x000000;
constexpr Color clWhite = 0xFFFFFF;
constexpr Color clSilver = 0xC0C0C0;
constexpr Color clGray = 0x808080;
constexpr Color clOlive = 0x008080;  // red 128, green 128, blue 0
constexpr Color clLime = 0x00FF00;
constexpr Color clGreen = 0x008000;

constexpr Color clWindow = 0x80000005;
constexpr Color clWindowText = 0x80000008;
constexpr Color clBtnFace = 0x8000000F;
constexpr Color clBtnShadow = 0x80000010;
constexpr Color clBtnText = 0x80000012;
constexpr Color clBtnHighlight = 0x80000014;

constexpr bool IsSystemColor(Color color) {
    return (color >> 24) == 0x80;
}

// Builds a plain colour from its three bytes.
constexpr Color RGB(int red, int green, int blue) {
    return static_cast<Color>(red & 0xFF) | static_cast<Color>(green & 0xFF) << 8 |
           static_cast<Color>(blue & 0xFF) << 16;
}

// The desktop's colours for the system colour indexes the widgets use. The defaults are the
// classic grey scheme, which tests rely on; the UI fills them from the Qt palette.
struct SystemColors {
    Color window = clWhite;
    Color windowText = clBlack;
    Color btnFace = clSilver;
    Color btnShadow = clGray;
    Color btnText = clBlack;
    Color btnHighlight = clWhite;

    // A plain colour comes back as it is (high byte cleared); a system colour as the desktop's
    // value; an index the widgets do not know as the button face.
    Color Resolve(Color color) const;
};
