#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct PlayListEntry;

// The columns of the play list's "Detailed" style and what each cell shows. "Name", "Type" and
// "Path" keep the places 0 to 2 they always had (the report style's sub-items); the columns
// the tags fill follow. Plain data and rules: the Qt model reads them.
enum class PlayListColumn : int {
    Name,
    Type,
    Path,
    Length,
    Title,
    Artist,
    Album,
    Track,
    Year,
    Genre,
};
inline constexpr int kPlayListColumnCount = 10;

struct PlayListColumnInfo {
    PlayListColumn column;
    const char* caption;  // the header's text, also the column's name in quavrel.conf
    int width;            // pixels, at start
    bool rightAligned;    // numbers read best aligned on their last digit
};

// One record per column, in the columns' own order (the index is the column's number).
const std::array<PlayListColumnInfo, kPlayListColumnCount>& PlayListColumnTable();
const PlayListColumnInfo& InfoOf(PlayListColumn column);
// The column whose caption is name, exactly; none for any other text.
std::optional<PlayListColumn> ColumnNamed(std::string_view name);

// A length in milliseconds as "m:ss", or "h:mm:ss" from an hour up (seconds cut, not
// rounded, so a track never reads longer than it is). Empty for a negative (unknown) length.
std::string LengthText(std::int64_t ms);
// What the cell of column shows for entry: the caption, type and path as they are; the tags'
// texts; numbers in decimal, empty where the tags say nothing (0) or there are no tags yet.
std::string CellText(const PlayListEntry& entry, PlayListColumn column);

// Which columns show, in which order from the left, and how wide each is. Kept in quavrel.conf
// as two lines: "columns.order=Name,Artist,Album,Length,Type,Path" (the shown columns, left to
// right) and "columns.widths=Name:200,Type:150,..." (every column's width, shown or not).
struct ColumnLayout {
    std::vector<PlayListColumn> shown;  // never empty, no column twice
    std::array<int, kPlayListColumnCount> widths{};

    // Name, Artist, Album, Length, Type, Path, at the table's widths.
    static ColumnLayout Default();
    // Reads the two values; names that are unknown or repeated and widths that are malformed
    // or outside 1..10000 are passed over, so any text gives a usable layout (an order that
    // names no known column gives the default order).
    static ColumnLayout Parse(std::string_view order, std::string_view widths);
    std::string OrderText() const;
    std::string WidthsText() const;

    bool Shows(PlayListColumn column) const;
    bool operator==(const ColumnLayout&) const = default;
};
