#pragma once

// The glyph pictures of the dot-matrix fonts, one string per table: the glyphs one after the
// other, each row by row from the top, "#" a lit dot and "." a dark one. LCDFonts.cpp turns them
// into GlyphTables; the files LCDFont7x9.cpp, LCDFont9x12.cpp and LCDFontHitachi.cpp hold them.
extern const char kFont7x9Art[];
extern const char kFont9x12Art[];
extern const char kHitachiArt[];
extern const char kHitachi2Art[];
