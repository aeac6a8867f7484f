#pragma once

#include "views/PlayListColumns.h"

class PlayList;

// The play list sorted by a column of the "Detailed" style, as a click on its header asks:
// texts in the locale's order as CaptionOrder has it (each entry's collation key made once per
// sort), numbers (length, track, year) by value, and "Artist" and "Album" both by album artist
// (the artist where the tags name none), album, disc and track. Entries without a value (no
// tags yet, an empty text, an unknown length) come first. Descending is the exact reverse;
// either way the sort is stable, so equal entries keep their order. User-interface thread (the
// system locale).
class ColumnOrder {
public:
    // Sorts the list by column, with one notice (a reset) unless it is in that order already.
    // follow, when it indexes an entry, moves to where that entry lands. Returns whether it
    // sorted.
    static bool Sort(PlayList& list, PlayListColumn column, bool descending, int& follow);
};
