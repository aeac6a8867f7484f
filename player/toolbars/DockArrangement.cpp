#include "toolbars/DockArrangement.h"

#include <algorithm>

namespace {

bool Vertical(DockSide dock) {
    return dock == DockSide::Left || dock == DockSide::Right;
}

}  // namespace

std::vector<DockRow> ArrangeDock(DockSide dock, std::vector<ToolbarSpot> spots) {
    const bool vertical = Vertical(dock);
    const auto along = [vertical](const ToolbarSpot& s) { return vertical ? s.top : s.left; };
    const auto across = [vertical](const ToolbarSpot& s) { return vertical ? s.left : s.top; };

    std::stable_sort(spots.begin(), spots.end(), [&](const ToolbarSpot& a, const ToolbarSpot& b) {
        return across(a) < across(b);
    });
    std::vector<std::vector<ToolbarSpot>> rows;
    std::int32_t rowStart = 0, rowHalf = 0;
    for (const ToolbarSpot& spot : spots) {
        if (rows.empty() || across(spot) >= rowStart + std::max(rowHalf, 1)) {
            rows.emplace_back();
            rowStart = across(spot);
            rowHalf = spot.thickness / 2;
        }
        rows.back().push_back(spot);
    }

    std::vector<DockRow> result;
    for (std::vector<ToolbarSpot>& row : rows) {
        std::stable_sort(row.begin(), row.end(), [&](const ToolbarSpot& a, const ToolbarSpot& b) {
            return along(a) < along(b);
        });
        DockRow items;
        std::int32_t end = 0;
        for (const ToolbarSpot& spot : row) {
            const std::int32_t offset = items.empty() ? 0 : std::max(end, along(spot));
            if (!items.empty() && offset > end)
                items.back().stretchedLength = offset - items.back().offset;
            items.push_back({spot.id, offset, -1});
            end = offset + std::max(spot.length, 0);
        }
        result.push_back(std::move(items));
    }
    if (dock == DockSide::Bottom || dock == DockSide::Right)
        std::reverse(result.begin(), result.end());
    return result;
}
