#pragma once

// The enumerations of the dot-matrix label, in their stored order (configuration files and
// forms keep the ordinal).

// Font and grid of one character cell.
enum class TDotMatrix { mat5x7, mat5x8, mat7x9, mat9x12, Hitachi, Hitachi2 };

// Side of one dot in screen pixels: the ordinal plus 2.
enum class TPixelSize {
    pix2x2,
    pix3x3,
    pix4x4,
    pix5x5,
    pix6x6,
    pix7x7,
    pix8x8,
    pix9x9,
    pix10x10,
    pix11x11,
    pix12x12
};

// How a dot is drawn: a square, a circle on a square of the shade colour when lit, a circle.
enum class TPixelShape { Square, Shaped, Round };

// Look of the one-pixel border.
enum class TMyBorder { Raised, Lowered, Single, None };
