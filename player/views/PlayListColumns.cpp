#include "views/PlayListColumns.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "playlist/PlayListEntry.h"

namespace {

using C = PlayListColumn;

constexpr std::array<PlayListColumnInfo, kPlayListColumnCount> kTable{{
    {C::Name, "Name", 200, false},
    {C::Type, "Type", 150, false},
    {C::Path, "Path", 500, false},
    {C::Length, "Length", 60, true},
    {C::Title, "Title", 200, false},
    {C::Artist, "Artist", 150, false},
    {C::Album, "Album", 150, false},
    {C::Track, "Track", 45, true},
    {C::Year, "Year", 45, true},
    {C::Genre, "Genre", 100, false},
}};

constexpr int kMostWidth = 10000;

std::string Number(int value) {
    return value > 0 ? std::to_string(value) : std::string();
}

// Calls each(piece) for every piece of text between separators, blanks around it trimmed.
template <typename Each>
void ForEachPiece(std::string_view text, char separator, Each each) {
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(separator), text.size());
        std::string_view piece = text.substr(0, end);
        while (!piece.empty() && piece.front() == ' ')
            piece.remove_prefix(1);
        while (!piece.empty() && piece.back() == ' ')
            piece.remove_suffix(1);
        each(piece);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
}

}  // namespace

const std::array<PlayListColumnInfo, kPlayListColumnCount>& PlayListColumnTable() {
    return kTable;
}

const PlayListColumnInfo& InfoOf(PlayListColumn column) {
    return kTable.at(static_cast<std::size_t>(column));
}

std::optional<PlayListColumn> ColumnNamed(std::string_view name) {
    for (const PlayListColumnInfo& info : kTable)
        if (name == info.caption)
            return info.column;
    return std::nullopt;
}

std::string LengthText(std::int64_t ms) {
    if (ms < 0)
        return {};
    const std::int64_t seconds = ms / 1000;
    const std::int64_t hours = seconds / 3600;
    const int minutes = static_cast<int>(seconds / 60 % 60);
    const int secs = static_cast<int>(seconds % 60);
    char text[32];
    if (hours > 0)
        std::snprintf(text, sizeof text, "%lld:%02d:%02d", static_cast<long long>(hours), minutes,
                      secs);
    else
        std::snprintf(text, sizeof text, "%d:%02d", minutes, secs);
    return text;
}

std::string CellText(const PlayListEntry& entry, PlayListColumn column) {
    switch (column) {
        case C::Name:
            return entry.Caption;
        case C::Type:
            return entry.TypeName;
        case C::Path:
            return entry.Path;
        default:
            break;
    }
    const TrackTags* tags = entry.Tags.get();
    if (tags == nullptr)
        return {};
    switch (column) {
        case C::Length:
            return LengthText(tags->LengthMs);
        case C::Title:
            return tags->Title;
        case C::Artist:
            return tags->Artist;
        case C::Album:
            return tags->Album;
        case C::Track:
            return Number(tags->Track);
        case C::Year:
            return Number(tags->Year);
        case C::Genre:
            return tags->Genre;
        default:
            return {};
    }
}

ColumnLayout ColumnLayout::Default() {
    ColumnLayout layout;
    layout.shown = {C::Name, C::Artist, C::Album, C::Length, C::Type, C::Path};
    for (const PlayListColumnInfo& info : kTable)
        layout.widths[static_cast<std::size_t>(info.column)] = info.width;
    return layout;
}

ColumnLayout ColumnLayout::Parse(std::string_view order, std::string_view widths) {
    ColumnLayout layout = Default();
    std::vector<PlayListColumn> shown;
    ForEachPiece(order, ',', [&](std::string_view name) {
        const std::optional<PlayListColumn> column = ColumnNamed(name);
        if (column && std::find(shown.begin(), shown.end(), *column) == shown.end())
            shown.push_back(*column);
    });
    if (!shown.empty())
        layout.shown = std::move(shown);
    ForEachPiece(widths, ',', [&](std::string_view pair) {
        const std::size_t colon = pair.find(':');
        if (colon == std::string_view::npos)
            return;
        const std::optional<PlayListColumn> column = ColumnNamed(pair.substr(0, colon));
        const std::string_view digits = pair.substr(colon + 1);
        int width = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), width);
        if (!column || error != std::errc() || end != digits.data() + digits.size() || width < 1 ||
            width > kMostWidth)
            return;
        layout.widths[static_cast<std::size_t>(*column)] = width;
    });
    return layout;
}

std::string ColumnLayout::OrderText() const {
    std::string text;
    for (const PlayListColumn column : shown) {
        if (!text.empty())
            text += ',';
        text += InfoOf(column).caption;
    }
    return text;
}

std::string ColumnLayout::WidthsText() const {
    std::string text;
    for (const PlayListColumnInfo& info : kTable) {
        if (!text.empty())
            text += ',';
        text += info.caption;
        text += ':';
        text += std::to_string(widths[static_cast<std::size_t>(info.column)]);
    }
    return text;
}

bool ColumnLayout::Shows(PlayListColumn column) const {
    return std::find(shown.begin(), shown.end(), column) != shown.end();
}
