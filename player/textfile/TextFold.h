#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Folds UTF-8 text for searching without regard to letter case or accents: ASCII letters are
// lowered, and the letters of the Latin, Greek and Cyrillic blocks become their plain lower
// forms ("Émile" and "EMILE" both fold to "emile", "Straße" to "strasse"); combining marks
// vanish, so decomposed text folds as composed text does. Other characters, and bytes that are
// not valid UTF-8, are kept as they are, so folding never loses a byte it cannot read. Folding
// folded text changes nothing. Thread-safe.
std::string FoldForSearch(std::string_view text);
// The same, appended to out (no allocation per call when out has room).
void AppendFolded(std::string& out, std::string_view text);

// One row of the generated table (TextFoldTable.cpp): a code point and the UTF-8 it folds to.
struct TextFoldRow {
    char32_t from;
    const char* to;
};
extern const TextFoldRow kTextFoldRows[];
extern const std::size_t kTextFoldRowCount;
