#include "playlist/PlayListTotals.h"

#include "playlist/PlayList.h"
#include "views/PlayListColumns.h"

namespace {

void Count(PlayListTotals::Figures& figures, const PlayListEntry& entry) {
    ++figures.entries;
    const TrackTags* tags = entry.Tags.get();
    if (tags != nullptr && tags->LengthMs >= 0)
        figures.knownMs += tags->LengthMs;
    else
        ++figures.unknown;
}

// "12 selected, 45:10 +1 unknown" or "1,234 entries, 3:12:45".
std::string FiguresText(const PlayListTotals::Figures& figures, const char* one, const char* many) {
    std::string text = GroupedCount(figures.entries);
    text += ' ';
    text += figures.entries == 1 ? one : many;
    text += ", ";
    text += LengthText(figures.knownMs);
    if (figures.unknown > 0)
        text += " +" + GroupedCount(figures.unknown) + " unknown";
    return text;
}

}  // namespace

std::string GroupedCount(long long count) {
    const bool negative = count < 0;
    std::string digits = std::to_string(negative ? -count : count);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += ',';
        text += digits[i];
    }
    return negative ? "-" + text : text;
}

PlayListTotals PlayListTotals::Of(const PlayList& list) {
    PlayListTotals totals;
    const int count = list.Count();
    const bool anySelected = list.SelectedCount() > 0;
    for (int i = 0; i < count; ++i) {
        const PlayListEntry& entry = list.At(i);
        Count(totals.all, entry);
        if (anySelected && list.IsSelected(i))
            Count(totals.selected, entry);
    }
    return totals;
}

std::string PlayListTotals::Text() const {
    std::string text = FiguresText(all, "entry", "entries");
    if (selected.entries > 1)
        text += "; " + FiguresText(selected, "selected", "selected");
    return text;
}
