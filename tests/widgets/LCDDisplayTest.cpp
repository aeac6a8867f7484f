#include "widgets/LCDDisplay.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "widgets/LCDFonts.h"

namespace {

using Rows = std::vector<std::string>;

const SystemColors kColors;  // classic scheme: face silver, shadow grey, highlight white

// The main window's display: three characters of the HD44780 font on light steel blue.
LCDDisplay MainWindowDisplay() {
    LCDDisplay display;
    display.SetDotMatrix(TDotMatrix::Hitachi);
    display.SetPixelSize(TPixelSize::pix2x2);
    display.SetPixelShape(TPixelShape::Square);
    display.SetPixelSpacing(1);
    display.SetCharSpacing(3);
    display.SetLineSpacing(1);
    display.SetBorderSpace(2);
    display.SetTextLines(1);
    display.SetNoOfChars(3);
    display.SetBackGround(0xD7AE6A);
    display.SetBorderStyle(TMyBorder::Raised);
    display.SetPixelOn(clBlack);
    display.SetPixelOff(0xAAAAAA);
    display.SizeToText();
    return display;
}

// Reads cell (the cell-th of the display, row by row) back from a painted picture: a dot counts
// as lit when the top-left pixel of its square has the PixelOn colour.
Rows CellRows(const LCDDisplay& display, const RgbImage& image, int cell) {
    const int x0 = display.BorderSpace() + 1 +
                   (cell % display.NoOfChars()) * (display.CharWidth() + display.CharSpacing());
    const int y0 = display.BorderSpace() + 1 +
                   (cell / display.NoOfChars()) * (display.CharHeight() + display.LineSpacing());
    const int step = display.PixelDim() + display.PixelSpacing();
    Rows rows;
    for (int r = 0; r < display.MatrixRows(); ++r) {
        std::string row;
        for (int c = 0; c < display.MatrixCols(); ++c) {
            const Color pixel = image.Pixel(x0 + c * step, y0 + r * step);
            EXPECT_TRUE(pixel == display.PixelOn() || pixel == display.PixelOff())
                << "cell " << cell << " dot " << r << "," << c;
            row += pixel == display.PixelOn() ? '#' : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

Rows TableRows(const GlyphTable& table, int index, int totalRows) {
    Rows rows;
    for (int r = 0; r < totalRows; ++r) {
        std::string row;
        for (int c = 0; c < table.cols; ++c)
            row += r < table.rows && table.Glyph(index)[r * table.cols + c] ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

Rows BlankRows(const LCDDisplay& display) {
    return Rows(display.MatrixRows(), std::string(display.MatrixCols(), '.'));
}

TEST(LCDDisplayTest, NewDisplayStartsWithItsInitialValuesAt138By32) {
    LCDDisplay display;
    EXPECT_EQ(display.Caption(), "");
    EXPECT_EQ(display.DotMatrix(), TDotMatrix::mat5x7);
    EXPECT_EQ(display.PixelSize(), TPixelSize::pix2x2);
    EXPECT_EQ(display.PixelSpacing(), 1);
    EXPECT_EQ(display.PixelShape(), TPixelShape::Square);
    EXPECT_EQ(display.CharSpacing(), 2);
    EXPECT_EQ(display.LineSpacing(), 2);
    EXPECT_EQ(display.BorderSpace(), 5);
    EXPECT_EQ(display.TextLines(), 1);
    EXPECT_EQ(display.NoOfChars(), 8);
    EXPECT_EQ(display.BackGround(), 0xC0C0C0u);
    EXPECT_EQ(display.BorderStyle(), TMyBorder::Lowered);
    EXPECT_EQ(display.BorderColor(), 0u);
    EXPECT_EQ(display.PixelOn(), 0u);
    EXPECT_EQ(display.PixelOff(), 0xAAAAAAu);
    EXPECT_EQ(display.ShadeColor(), 0u);

    EXPECT_EQ(display.CharWidth(), 14);
    EXPECT_EQ(display.CharHeight(), 20);
    EXPECT_EQ(display.Width(), 138);
    EXPECT_EQ(display.Height(), 32);
    EXPECT_EQ(display.LastWidth(), 138);
    EXPECT_EQ(display.LastHeight(), 32);
}

TEST(LCDDisplayTest, MainWindowDisplayMeasures54By26WithCellsOf14By20) {
    LCDDisplay display = MainWindowDisplay();
    EXPECT_EQ(display.PixelDim(), 2);
    EXPECT_EQ(display.MatrixCols(), 5);
    EXPECT_EQ(display.MatrixRows(), 7);
    EXPECT_EQ(display.CharWidth(), 14);
    EXPECT_EQ(display.CharHeight(), 20);
    EXPECT_EQ(display.Width(), 54);
    EXPECT_EQ(display.Height(), 26);
    const RgbImage image = display.Paint(kColors);
    EXPECT_EQ(image.Width(), 54);
    EXPECT_EQ(image.Height(), 26);
}

TEST(LCDDisplayTest, SizeImposedFromOutsideSetsCellCountsAndSnaps) {
    LCDDisplay display = MainWindowDisplay();
    display.SetSize(100, 26);
    display.Paint(kColors);
    EXPECT_EQ(display.NoOfChars(), 5);  // (100 - 4 + 3) div 17
    EXPECT_EQ(display.TextLines(), 1);
    EXPECT_EQ(display.Width(), 88);
    EXPECT_EQ(display.Height(), 26);

    // Far too small: one cell stays, and the control grows around it.
    display.SetSize(3, 2);
    display.AdjustSize();
    EXPECT_EQ(display.NoOfChars(), 1);
    EXPECT_EQ(display.TextLines(), 1);
    EXPECT_EQ(display.Width(), 2 * 2 + 14 + 2);
    EXPECT_EQ(display.Height(), 2 * 2 + 20 + 2);

    // Taller: more lines.
    display.SetSize(88, 60);
    display.AdjustSize();
    EXPECT_EQ(display.TextLines(), 2);  // (60 - 4 + 1) div 21
    EXPECT_EQ(display.Height(), 4 + 1 + 40 + 2);
}

TEST(LCDDisplayTest, PropertyChangesResizeAtTheNextSizingStep) {
    LCDDisplay display;
    display.SetDotMatrix(TDotMatrix::mat9x12);
    display.SetPixelSize(TPixelSize::pix3x3);
    EXPECT_EQ(display.CharWidth(), 14);  // not yet
    EXPECT_EQ(display.Width(), 138);
    display.Paint(kColors);
    EXPECT_EQ(display.PixelDim(), 3);
    EXPECT_EQ(display.CharWidth(), 9 * 3 + 8);
    EXPECT_EQ(display.CharHeight(), 12 * 3 + 11);
    EXPECT_EQ(display.Width(), 10 + 7 * 2 + 8 * 35 + 2);
    EXPECT_EQ(display.Height(), 10 + 47 + 2);
}

// Every pixel of a blank display from its geometry: margins and gaps in the background colour,
// dot squares dark, and the border of the given style.
TEST(LCDDisplayTest, EmptyCaptionDrawsOnlyBackgroundBorderAndDarkDots) {
    LCDDisplay display = MainWindowDisplay();
    display.SetTextLines(2);
    display.SizeToText();
    const RgbImage image = display.Paint(kColors);
    const int w = image.Width(), h = image.Height();
    ASSERT_EQ(h, 2 * 2 + 1 + 2 * 20 + 2);

    auto inDot = [&](int x, int y) {
        const int cx = x - 3, cy = y - 3;  // cells start at BorderSpace + 1
        if (cx < 0 || cy < 0)
            return false;
        const int inCellX = cx % 17, inCellY = cy % 21;  // cell plus CharSpacing / LineSpacing
        if (cx / 17 >= 3 || cy / 21 >= 2 || inCellX >= 14 || inCellY >= 20)
            return false;
        return inCellX % 3 < 2 && inCellY % 3 < 2;  // dots of 2 with a gap of 1
    };
    int dots = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            Color expected = 0xD7AE6A;
            if (y == h - 1 || (x == w - 1 && y > 0))
                expected = clGray;  // raised: bottom and right dark; LineTo spares (w-1, 0)
            else if (x == 0 || y == 0)
                expected = clWhite;
            else if (inDot(x, y))
                expected = 0xAAAAAA;
            dots += expected == 0xAAAAAA;
            ASSERT_EQ(image.Pixel(x, y), expected) << x << "," << y;
        }
    }
    EXPECT_EQ(dots, 2 * 3 * 35 * 4);
}

TEST(LCDDisplayTest, BorderStylesTakeTheirColours) {
    SystemColors colors;
    colors.btnFace = 0x111111;
    colors.btnShadow = 0x222222;
    colors.btnHighlight = 0x333333;
    LCDDisplay display;
    display.SetBorderColor(0x0000FF);

    RgbImage image = display.Paint(colors);  // Lowered: top and left dark, (0, h-1) spared
    const int w = image.Width(), h = image.Height();
    EXPECT_EQ(image.Pixel(5, 0), 0x222222u);
    EXPECT_EQ(image.Pixel(0, 5), 0x222222u);
    EXPECT_EQ(image.Pixel(0, h - 1), 0x333333u);
    EXPECT_EQ(image.Pixel(5, h - 1), 0x333333u);
    EXPECT_EQ(image.Pixel(w - 1, 5), 0x333333u);

    display.SetBorderStyle(TMyBorder::Single);
    image = display.Paint(colors);
    for (auto [x, y] : {std::pair{0, 0}, {w - 1, h - 1}, {5, 0}, {0, 5}, {w - 1, 5}, {5, h - 1}})
        EXPECT_EQ(image.Pixel(x, y), 0x0000FFu) << x << "," << y;

    display.SetBorderStyle(TMyBorder::None);
    display.SetBackGround(clBtnFace);  // a system colour as background resolves too
    image = display.Paint(colors);
    EXPECT_EQ(image.Pixel(0, 0), 0x111111u);
    EXPECT_EQ(image.Pixel(w - 1, h - 1), 0x111111u);
    EXPECT_EQ(image.Pixel(2, 2), 0x111111u);
}

TEST(LCDDisplayTest, CaptionFillsCellsRowByRowAndBlanksTheRest) {
    LCDDisplay display;
    display.SetNoOfChars(4);
    display.SetTextLines(2);
    display.SetCaption("QUAVREL");
    RgbImage image = display.Paint(kColors);
    const std::string letters = "QUAVREL";
    for (int cell = 0; cell < 7; ++cell)
        EXPECT_EQ(CellRows(display, image, cell), TableRows(Font5x7(), letters[cell] - 32, 7))
            << "cell " << cell;
    EXPECT_EQ(CellRows(display, image, 7), BlankRows(display));

    // A longer caption is cut at the last cell; a zero byte ends the text early.
    display.SetCaption("ABCDEFGHIJ");
    image = display.Paint(kColors);
    EXPECT_EQ(CellRows(display, image, 7), TableRows(Font5x7(), 'H' - 32, 7));
    display.SetCaption(std::string("AB\0CD", 5));
    image = display.Paint(kColors);
    EXPECT_EQ(CellRows(display, image, 1), TableRows(Font5x7(), 'B' - 32, 7));
    for (int cell = 2; cell < 8; ++cell)
        EXPECT_EQ(CellRows(display, image, cell), BlankRows(display)) << "cell " << cell;
}

TEST(LCDDisplayTest, BytesOutsideTheTableShowBlankCells) {
    LCDDisplay display;
    display.SetNoOfChars(3);
    display.SetCaption("\x07\x7F\xE0");
    RgbImage image = display.Paint(kColors);
    for (int cell = 0; cell < 3; ++cell)
        EXPECT_EQ(CellRows(display, image, cell), BlankRows(display)) << "plain, cell " << cell;

    display.SetDotMatrix(TDotMatrix::Hitachi);
    display.SetCaption("\x07\xF0\xFF");
    image = display.Paint(kColors);
    for (int cell = 0; cell < 3; ++cell)
        EXPECT_EQ(CellRows(display, image, cell), BlankRows(display)) << "Hitachi, cell " << cell;
}

TEST(LCDDisplayTest, HitachiShowsYenAndArrowWherePlainFontShowsBackslashAndTilde) {
    LCDDisplay display;
    display.SetNoOfChars(2);
    display.SetCaption("\\~");
    RgbImage image = display.Paint(kColors);
    EXPECT_EQ(CellRows(display, image, 0),
              (Rows{".....", "#....", ".#...", "..#..", "...#.", "....#", "....."}));
    EXPECT_EQ(CellRows(display, image, 1),
              (Rows{".#.#.", "#.#..", ".....", ".....", ".....", ".....", "....."}));

    display.SetDotMatrix(TDotMatrix::Hitachi);
    image = display.Paint(kColors);
    EXPECT_EQ(CellRows(display, image, 0),
              (Rows{"#...#", ".#.#.", "#####", "..#..", "#####", "..#..", "..#.."}));
    EXPECT_EQ(CellRows(display, image, 1),
              (Rows{".....", "..#..", "...#.", "#####", "...#.", "..#..", "....."}));
}

TEST(LCDDisplayTest, Hitachi2DrawsSmallGFromSevenRowsAndByte199WithItsDescender) {
    LCDDisplay display;
    display.SetDotMatrix(TDotMatrix::Hitachi2);
    display.SetNoOfChars(3);
    display.SetCaption("g\xC7\xC1");
    const RgbImage image = display.Paint(kColors);
    EXPECT_EQ(display.MatrixRows(), 10);
    EXPECT_EQ(CellRows(display, image, 0), (Rows{".....", ".####", "#...#", "#...#", ".####",
                                                 "....#", ".###.", ".....", ".....", "....."}));
    EXPECT_EQ(CellRows(display, image, 1), (Rows{".....", ".....", ".####", "#...#", "#...#",
                                                 "#...#", ".####", "....#", "....#", ".###."}));
    // Byte 193 lies below the extension: the 7-row glyph of ROM 0xE1 and three dark rows.
    EXPECT_EQ(CellRows(display, image, 2), TableRows(FontHitachi(), 193 - 32, 10));
}

TEST(LCDDisplayTest, DotShapesDrawSquaresCirclesAndShadedCircles) {
    LCDDisplay display;
    display.SetPixelSize(TPixelSize::pix8x8);
    display.SetNoOfChars(1);
    display.SetPixelOn(0x00FF8040);
    EXPECT_EQ(display.ShadeColor(), 0x007F4020u);
    display.SetCaption("-");  // row 3 lit, the other rows dark
    const int step = 8 + 1, x0 = 6, y0 = 6;
    const int litY = y0 + 3 * step, darkY = y0;

    display.SetPixelShape(TPixelShape::Shaped);
    RgbImage image = display.Paint(kColors);
    EXPECT_EQ(image.Pixel(x0 + 4, litY + 4), 0xFF8040u);  // centre of a lit dot
    EXPECT_EQ(image.Pixel(x0, litY), 0x7F4020u);          // its corner: the shade square
    EXPECT_EQ(image.Pixel(x0 + 7, litY + 7), 0x7F4020u);
    EXPECT_EQ(image.Pixel(x0 + 4, litY), 0xFF8040u);  // the circle touches the square's edges
    EXPECT_EQ(image.Pixel(x0, darkY), 0xAAAAAAu);     // a dark dot is a plain square
    EXPECT_EQ(image.Pixel(x0 + 4, darkY + 4), 0xAAAAAAu);

    display.SetPixelShape(TPixelShape::Round);
    image = display.Paint(kColors);
    EXPECT_EQ(image.Pixel(x0 + 4, litY + 4), 0xFF8040u);
    EXPECT_EQ(image.Pixel(x0, litY), 0xC0C0C0u);  // corners show the background
    EXPECT_EQ(image.Pixel(x0, darkY), 0xC0C0C0u);
    EXPECT_EQ(image.Pixel(x0 + 4, darkY + 4), 0xAAAAAAu);

    display.SetPixelShape(TPixelShape::Square);
    image = display.Paint(kColors);
    EXPECT_EQ(image.Pixel(x0, litY), 0xFF8040u);
    EXPECT_EQ(image.Pixel(x0 + 7, litY + 7), 0xFF8040u);
}

TEST(LCDDisplayTest, SystemColourAsPixelOnIsShadedFromTheColourItNames) {
    SystemColors colors;
    colors.btnHighlight = 0x80FF40;
    LCDDisplay display;
    display.SetPixelSize(TPixelSize::pix8x8);
    display.SetPixelShape(TPixelShape::Shaped);
    display.SetNoOfChars(1);
    display.SetPixelOn(clBtnHighlight);
    display.SetCaption("-");
    const RgbImage image = display.Paint(colors);
    EXPECT_EQ(image.Pixel(6 + 4, 6 + 27 + 4), 0x80FF40u);
    EXPECT_EQ(image.Pixel(6, 6 + 27), 0x407F20u);
}

TEST(LCDDisplayTest, SettersReportWhetherTheValueChanged) {
    LCDDisplay display;
    EXPECT_TRUE(display.SetCaption("42%"));
    EXPECT_FALSE(display.SetCaption("42%"));
    EXPECT_TRUE(display.SetNoOfChars(3));
    EXPECT_FALSE(display.SetNoOfChars(3));
    EXPECT_FALSE(display.SetPixelOff(0xAAAAAA));

    // Only the first 255 bytes count, so a longer text set twice is unchanged the second time.
    const std::string longText(300, 'x');
    EXPECT_TRUE(display.SetCaption(longText));
    EXPECT_EQ(display.Caption().size(), 255u);
    EXPECT_FALSE(display.SetCaption(longText));
}

// Each integer property refuses values below its minimum with its own message and keeps the
// old value.
struct RefusalCase {
    const char* name;
    bool (LCDDisplay::*set)(int);
    int (LCDDisplay::*get)() const;
    int lowest;
    const char* message;
};

void PrintTo(const RefusalCase& c, std::ostream* out) {
    *out << c.name;
}

class LCDDisplayRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(LCDDisplayRefusalTest, RefusesValuesBelowTheMinimumAndKeepsTheOldOne) {
    const RefusalCase& c = GetParam();
    LCDDisplay display;
    (display.*c.set)(c.lowest + 3);
    const RgbImage before = display.Paint(kColors);
    try {
        (display.*c.set)(c.lowest - 1);
        FAIL() << "accepted " << c.lowest - 1;
    } catch (const ELCDPropertyError& error) {
        EXPECT_STREQ(error.what(), c.message);
    }
    EXPECT_EQ((display.*c.get)(), c.lowest + 3);
    EXPECT_EQ(display.Paint(kColors), before);
    EXPECT_TRUE((display.*c.set)(c.lowest));
}

INSTANTIATE_TEST_SUITE_P(
    IntegerProperties, LCDDisplayRefusalTest,
    ::testing::Values(
        RefusalCase{"PixelSpacing", &LCDDisplay::SetPixelSpacing, &LCDDisplay::PixelSpacing, 0,
                    "Pixel spacing can't be less than zero!"},
        RefusalCase{"CharSpacing", &LCDDisplay::SetCharSpacing, &LCDDisplay::CharSpacing, 0,
                    "Character spacing can't be less than zero!"},
        RefusalCase{"LineSpacing", &LCDDisplay::SetLineSpacing, &LCDDisplay::LineSpacing, 0,
                    "Line spacing can't be less than zero!"},
        RefusalCase{"BorderSpace", &LCDDisplay::SetBorderSpace, &LCDDisplay::BorderSpace, 0,
                    "Border spacing can't be less than zero!"},
        RefusalCase{"TextLines", &LCDDisplay::SetTextLines, &LCDDisplay::TextLines, 1,
                    "Display needs at least on line!"},
        RefusalCase{"NoOfChars", &LCDDisplay::SetNoOfChars, &LCDDisplay::NoOfChars, 1,
                    "Display needs at least one character!"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
