#pragma once

#include <cstdint>
#include <vector>

#include "widgets/LCDTypes.h"

// One glyph table of the dot-matrix label: Count glyphs stored one after the other, each Rows
// rows from top to bottom of Cols dots from left to right, one byte per dot (1 lit, 0 dark).
// Glyph k of a font shows character code k + 32. The tables are built once, on first use, from
// the constant pictures in the LCDFont*.cpp files, and live as long as the program.
struct GlyphTable {
    int cols = 0;
    int rows = 0;
    int count = 0;
    std::vector<std::uint8_t> dots;

    // The first dot of glyph index; index must lie in [0, count).
    const std::uint8_t* Glyph(int index) const {
        return dots.data() + static_cast<std::size_t>(index) * cols * rows;
    }
};

const GlyphTable& Font5x7();   // codes 32 to 126
const GlyphTable& Font5x8();   // codes 32 to 126; the eighth row holds descenders
const GlyphTable& Font7x9();   // codes 32 to 126
const GlyphTable& Font9x12();  // codes 32 to 126; serifed capitals, row 12 for descenders
// The HD44780 character generator ROM, code A00, 7 rows: glyphs 0 to 95 are the ROM's codes
// 0x20 to 0x7F, glyphs 96 to 191 its codes 0xA0 to 0xFF, so text byte b shows glyph b - 32.
const GlyphTable& FontHitachi();
// The ROM's 10-row forms of codes 0xE2 to 0xFF: glyph k shows text byte 194 + k.
const GlyphTable& FontHitachi2Extension();

// The table whose glyph b - 32 a byte b shows under matrix; for Hitachi2 the 7-row Hitachi
// table (DrawChar takes the extension for bytes 194 to 223).
const GlyphTable& GlyphTableFor(TDotMatrix matrix);

// MatrixCols and MatrixRows of a matrix.
int MatrixColsOf(TDotMatrix matrix);
int MatrixRowsOf(TDotMatrix matrix);
