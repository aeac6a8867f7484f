#include "widgets/LCDFonts.h"

#include <cstring>
#include <stdexcept>
#include <string_view>

#include "widgets/LCDFontArt.h"

namespace {

// clang-format off
// The 5 x 7 font's own glyphs where it leaves the HD44780 ROM: a backslash for the yen sign
// and a tilde for the right arrow.
constexpr char kBackslash5x7[] =
    "....."
    "#...."
    ".#..."
    "..#.."
    "...#."
    "....#"
    ".....";
constexpr char kTilde5x7[] =
    ".#.#."
    "#.#.."
    "....."
    "....."
    "....."
    "....."
    ".....";

// The 5 x 8 glyphs whose shapes reach into the eighth row; the others are the 5 x 7 glyphs
// over a dark eighth row.
// clang-format on
struct TallGlyph {
    int code;
    const char* art;
};
// clang-format off
constexpr TallGlyph kTall5x8[] = {
    {',',
     "....."
     "....."
     "....."
     "....."
     "....."
     ".##.."
     "..#.."
     ".#..."},
    {'\\',
     "#...."
     "#...."
     ".#..."
     ".#..."
     "..#.."
     "..#.."
     "...#."
     "...#."},
    {'_',
     "....."
     "....."
     "....."
     "....."
     "....."
     "....."
     "....."
     "#####"},
    {'g',
     "....."
     "....."
     ".####"
     "#...#"
     "#...#"
     ".####"
     "....#"
     ".###."},
    {'j',
     "...#."
     "....."
     "..##."
     "...#."
     "...#."
     "...#."
     "#..#."
     ".##.."},
    {'q',
     "....."
     "....."
     ".##.#"
     "#..##"
     ".####"
     "....#"
     "...##"
     "....#"},
    {'y',
     "....."
     "....."
     "#...#"
     "#...#"
     "#...#"
     ".####"
     "....#"
     ".###."},
    {'|',
     "..#.."
     "..#.."
     "..#.."
     "..#.."
     "..#.."
     "..#.."
     "..#.."
     "..#.."},
};
// clang-format on

void CopyArt(std::string_view art, std::uint8_t* dots) {
    for (char c : art) {
        if (c != '#' && c != '.')
            throw std::logic_error("glyph pictures hold only '#' and '.'");
        *dots++ = c == '#' ? 1 : 0;
    }
}

GlyphTable FromArt(std::string_view art, int cols, int rows, int count) {
    GlyphTable table{cols, rows, count, {}};
    if (art.size() != static_cast<std::size_t>(cols * rows * count))
        throw std::logic_error("glyph picture of the wrong size");
    table.dots.resize(art.size());
    CopyArt(art, table.dots.data());
    return table;
}

void Replace(GlyphTable& table, int code, std::string_view art) {
    if (art.size() != static_cast<std::size_t>(table.cols * table.rows))
        throw std::logic_error("glyph picture of the wrong size");
    CopyArt(art, table.dots.data() + static_cast<std::size_t>(code - 32) * art.size());
}

GlyphTable Build5x7() {
    const GlyphTable& rom = FontHitachi();
    GlyphTable table{5, 7, 95, {}};
    table.dots.assign(rom.Glyph(0), rom.Glyph(95));
    Replace(table, '\\', kBackslash5x7);
    Replace(table, '~', kTilde5x7);
    return table;
}

GlyphTable Build5x8() {
    const GlyphTable& small = Font5x7();
    GlyphTable table{5, 8, 95, {}};
    for (int k = 0; k < 95; ++k) {
        table.dots.insert(table.dots.end(), small.Glyph(k), small.Glyph(k) + 35);
        table.dots.insert(table.dots.end(), 5, 0);
    }
    for (const TallGlyph& glyph : kTall5x8)
        Replace(table, glyph.code, glyph.art);
    return table;
}

}  // namespace

const GlyphTable& FontHitachi() {
    static const GlyphTable table = FromArt(kHitachiArt, 5, 7, 192);
    return table;
}

const GlyphTable& FontHitachi2Extension() {
    static const GlyphTable table = FromArt(kHitachi2Art, 5, 10, 30);
    return table;
}

const GlyphTable& Font5x7() {
    static const GlyphTable table = Build5x7();
    return table;
}

const GlyphTable& Font5x8() {
    static const GlyphTable table = Build5x8();
    return table;
}

const GlyphTable& Font7x9() {
    static const GlyphTable table = FromArt(kFont7x9Art, 7, 9, 95);
    return table;
}

const GlyphTable& Font9x12() {
    static const GlyphTable table = FromArt(kFont9x12Art, 9, 12, 95);
    return table;
}

const GlyphTable& GlyphTableFor(TDotMatrix matrix) {
    switch (matrix) {
        case TDotMatrix::mat5x7:
            return Font5x7();
        case TDotMatrix::mat5x8:
            return Font5x8();
        case TDotMatrix::mat7x9:
            return Font7x9();
        case TDotMatrix::mat9x12:
            return Font9x12();
        case TDotMatrix::Hitachi:
        case TDotMatrix::Hitachi2:
            break;
    }
    return FontHitachi();
}

int MatrixColsOf(TDotMatrix matrix) {
    switch (matrix) {
        case TDotMatrix::mat7x9:
            return 7;
        case TDotMatrix::mat9x12:
            return 9;
        default:
            return 5;
    }
}

int MatrixRowsOf(TDotMatrix matrix) {
    switch (matrix) {
        case TDotMatrix::mat5x7:
        case TDotMatrix::Hitachi:
            return 7;
        case TDotMatrix::mat5x8:
            return 8;
        case TDotMatrix::mat7x9:
            return 9;
        case TDotMatrix::mat9x12:
            return 12;
        case TDotMatrix::Hitachi2:
            return 10;
    }
    return 7;
}
