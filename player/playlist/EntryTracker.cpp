#include "playlist/EntryTracker.h"

void EntryTracker::EntriesInserted(int first, int count) {
    if (index_ >= first)
        index_ += count;
}

void EntryTracker::EntriesRemoved(int first, int count) {
    if (index_ >= first + count)
        index_ -= count;
    else if (index_ >= first)
        index_ = -1;
}

void EntryTracker::EntryMoved(int from, int to) {
    if (index_ < 0)
        return;
    if (index_ == from)
        index_ = to;
    else if (from < to && index_ > from && index_ <= to)
        --index_;
    else if (to < from && index_ >= to && index_ < from)
        ++index_;
}
