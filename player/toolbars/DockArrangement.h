#pragma once

#include <cstdint>
#include <vector>

#include "config/ConfigState.h"

// Turns the places asked for the toolbars of one dock into the dock's rows of toolbars, the
// form Qt's tool bar areas lay out. A dock holds rows ("lines") across its edge; a toolbar's
// place is its left and top in pixels from the dock's corner. In the top and bottom docks rows
// run left to right and stack by top; in the side docks they run down and stack by left.
// Rows are listed from the window's edge inwards, as Qt keeps them: in the top and left docks
// the row nearest the edge has the smallest coordinate, in the bottom and right docks the
// largest.

struct ToolbarSpot {
    int id = 0;  // the caller's name for the toolbar
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t length = 0;     // extent along the row, in pixels, as the toolbar wants it
    std::int32_t thickness = 0;  // extent across the row
};

struct RowItem {
    int id = 0;
    std::int32_t offset = 0;  // from the row's start
    // The extent the toolbar is stretched to so that the next one starts where it was asked
    // to; -1 leaves the toolbar its own extent.
    std::int32_t stretchedLength = -1;
};

using DockRow = std::vector<RowItem>;

// Toolbars whose across-coordinates lie within half a row of the row's first toolbar share
// its row. Within a row they keep the order of their along-coordinates and each starts where
// asked, or right after the one before when that one is in the way; the first starts at 0.
std::vector<DockRow> ArrangeDock(DockSide dock, std::vector<ToolbarSpot> spots);
