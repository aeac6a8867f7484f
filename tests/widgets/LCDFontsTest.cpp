#include "widgets/LCDFonts.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Rows = std::vector<std::string>;

// Rows of a glyph as "#" and "." strings, for readable comparisons.
Rows GlyphRows(const GlyphTable& table, int index) {
    Rows rows;
    const std::uint8_t* dots = table.Glyph(index);
    for (int r = 0; r < table.rows; ++r) {
        std::string row;
        for (int c = 0; c < table.cols; ++c)
            row += dots[r * table.cols + c] ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

// The published ROM list: "code 0xNN" blocks of 7 rows and "code10 0xNN" blocks of 10 rows.
struct RomList {
    std::map<int, Rows> sevenRow;
    std::map<int, Rows> tenRow;
};

RomList ReadRomList() {
    std::ifstream in(QVRL_WIDGETS_TEST_DATA "/hd44780-a00.txt");
    EXPECT_TRUE(in.good()) << "cannot read the ROM list";
    RomList list;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string kind, code;
        words >> kind >> code;
        if (kind != "code" && kind != "code10")
            continue;
        Rows rows(kind == "code" ? 7 : 10);
        for (auto& row : rows)
            std::getline(in, row);
        (kind == "code" ? list.sevenRow : list.tenRow)[std::stoi(code, nullptr, 16)] = rows;
    }
    return list;
}

TEST(LCDFontsTest, HitachiTablesMatchTheRomDotForDot) {
    const RomList rom = ReadRomList();
    ASSERT_EQ(rom.sevenRow.size(), 192u);
    ASSERT_EQ(rom.tenRow.size(), 32u);
    const GlyphTable& hitachi = FontHitachi();
    for (int byte = 32; byte <= 223; ++byte) {
        const int romCode = byte < 128 ? byte : byte + 32;
        EXPECT_EQ(GlyphRows(hitachi, byte - 32), rom.sevenRow.at(romCode)) << "byte " << byte;
    }
    const GlyphTable& extension = FontHitachi2Extension();
    ASSERT_EQ(extension.count, 30);
    for (int k = 0; k < 30; ++k)
        EXPECT_EQ(GlyphRows(extension, k), rom.tenRow.at(0xE2 + k)) << "byte " << 194 + k;
}

TEST(LCDFontsTest, HitachiShowsYenArrowsAndFullCellWherePlainFontDiffers) {
    const GlyphTable& hitachi = FontHitachi();
    EXPECT_EQ(GlyphRows(hitachi, 92 - 32),
              (Rows{"#...#", ".#.#.", "#####", "..#..", "#####", "..#..", "..#.."}));
    EXPECT_EQ(GlyphRows(hitachi, 126 - 32),
              (Rows{".....", "..#..", "...#.", "#####", "...#.", "..#..", "....."}));
    EXPECT_EQ(GlyphRows(hitachi, 127 - 32),
              (Rows{".....", "..#..", ".#...", "#####", ".#...", "..#..", "....."}));
    EXPECT_EQ(GlyphRows(hitachi, 223 - 32), Rows(7, "#####"));
    EXPECT_EQ(GlyphRows(FontHitachi2Extension(), 223 - 194), Rows(10, "#####"));
}

TEST(LCDFontsTest, Plain5x7IsTheRomWithBackslashAndTilde) {
    const GlyphTable& font = Font5x7();
    const GlyphTable& rom = FontHitachi();
    ASSERT_EQ(font.count, 95);
    for (int code = 32; code <= 125; ++code) {
        if (code != 92)
            EXPECT_EQ(GlyphRows(font, code - 32), GlyphRows(rom, code - 32)) << "code " << code;
    }
    EXPECT_EQ(GlyphRows(font, 92 - 32),
              (Rows{".....", "#....", ".#...", "..#..", "...#.", "....#", "....."}));
    EXPECT_EQ(GlyphRows(font, 126 - 32),
              (Rows{".#.#.", "#.#..", ".....", ".....", ".....", ".....", "....."}));
}

TEST(LCDFontsTest, Plain5x8AddsADarkRowExceptForItsEightTallGlyphs) {
    const std::map<int, Rows> tall = {
        {',', {".....", ".....", ".....", ".....", ".....", ".##..", "..#..", ".#..."}},
        {'\\', {"#....", "#....", ".#...", ".#...", "..#..", "..#..", "...#.", "...#."}},
        {'_', {".....", ".....", ".....", ".....", ".....", ".....", ".....", "#####"}},
        {'g', {".....", ".....", ".####", "#...#", "#...#", ".####", "....#", ".###."}},
        {'j', {"...#.", ".....", "..##.", "...#.", "...#.", "...#.", "#..#.", ".##.."}},
        {'q', {".....", ".....", ".##.#", "#..##", ".####", "....#", "...##", "....#"}},
        {'y', {".....", ".....", "#...#", "#...#", "#...#", ".####", "....#", ".###."}},
        {'|', {"..#..", "..#..", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    };
    const GlyphTable& font = Font5x8();
    for (int code = 32; code <= 126; ++code) {
        Rows expected = GlyphRows(Font5x7(), code - 32);
        expected.push_back(".....");
        if (tall.contains(code))
            expected = tall.at(code);
        EXPECT_EQ(GlyphRows(font, code - 32), expected) << "code " << code;
    }
}

TEST(LCDFontsTest, LargeFontsDrawTheirCapitalA) {
    EXPECT_EQ(GlyphRows(Font7x9(), 'A' - 32),
              (Rows{"...#...", "..#.#..", ".#...#.", "#.....#", "#.....#", "#######", "#.....#",
                    "#.....#", "#.....#"}));
    EXPECT_EQ(GlyphRows(Font9x12(), 'A' - 32),
              (Rows{"..####...", "...#.#...", "...#.#...", "..#...#..", "..#...#..", ".#.....#.",
                    ".#######.", ".#.....#.", ".#.....#.", ".#.....#.", "###...###", "........."}));
}

TEST(LCDFontsTest, Font9x12UsesItsTwelfthRowOnlyForDescendersAndTallSigns) {
    const std::string expected = "(),?JQ[\\]_gjpqy|";
    std::string users;
    for (int code = 32; code <= 126; ++code) {
        if (GlyphRows(Font9x12(), code - 32)[11] != ".........")
            users += static_cast<char>(code);
    }
    std::string sortedExpected = expected;
    std::sort(sortedExpected.begin(), sortedExpected.end());
    EXPECT_EQ(users, sortedExpected);
}

// The six fonts side by side: shape of the table, and properties every usable font has.
struct FontCase {
    const char* name;
    TDotMatrix matrix;
    int cols;
    int rows;
    int count;
    bool distinctGlyphs;  // the ROM repeats blanks; the plain fonts never repeat a glyph
};

void PrintTo(const FontCase& c, std::ostream* out) {
    *out << c.name;
}

class LCDFontTableTest : public ::testing::TestWithParam<FontCase> {};

TEST_P(LCDFontTableTest, HasItsGridAndReadableGlyphs) {
    const FontCase& font = GetParam();
    const GlyphTable& table = GlyphTableFor(font.matrix);
    EXPECT_EQ(MatrixColsOf(font.matrix), font.cols);
    EXPECT_EQ(MatrixRowsOf(font.matrix), font.rows);
    EXPECT_EQ(table.cols, font.cols);
    // Hitachi2 reads its first seven rows from the Hitachi table.
    EXPECT_EQ(table.rows, font.matrix == TDotMatrix::Hitachi2 ? 7 : font.rows);
    EXPECT_EQ(table.count, font.count);
    ASSERT_EQ(table.dots.size(), static_cast<std::size_t>(table.cols * table.rows * table.count));
    for (std::uint8_t dot : table.dots)
        ASSERT_TRUE(dot == 0 || dot == 1);

    const Rows blank(table.rows, std::string(table.cols, '.'));
    EXPECT_EQ(GlyphRows(table, 0), blank) << "space";
    std::set<Rows> seen;
    for (int k = 1; k < 95; ++k) {
        EXPECT_NE(GlyphRows(table, k), blank) << "code " << k + 32;
        if (font.distinctGlyphs)
            EXPECT_TRUE(seen.insert(GlyphRows(table, k)).second) << "code " << k + 32;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, LCDFontTableTest,
    ::testing::Values(FontCase{"mat5x7", TDotMatrix::mat5x7, 5, 7, 95, true},
                      FontCase{"mat5x8", TDotMatrix::mat5x8, 5, 8, 95, true},
                      FontCase{"mat7x9", TDotMatrix::mat7x9, 7, 9, 95, true},
                      FontCase{"mat9x12", TDotMatrix::mat9x12, 9, 12, 95, true},
                      FontCase{"Hitachi", TDotMatrix::Hitachi, 5, 7, 192, false},
                      FontCase{"Hitachi2", TDotMatrix::Hitachi2, 5, 10, 192, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
