#pragma once

class PlayList;

// The play list's sorting by name: captions in the locale's order, letter case distinguished,
// as QString::localeAwareCompare orders them. Each caption's collation key is made once per
// call and the keys are compared, so sorting 100,000 entries converts each caption once
// instead of twice per comparison. User-interface thread (the system locale).
class CaptionOrder {
public:
    // Whether every entry's caption comes no earlier than the one before it.
    static bool Sorted(const PlayList& list);
    // Sorts the list by caption, stable, unless it is in that order already (then nothing
    // changes and no notice is sent). Returns whether it sorted.
    static bool Sort(PlayList& list);
    // Sorts as Sort does, and moves follow, when it indexes an entry, to where that entry lands:
    // after every entry that sorts before it and every equal one that stood before it.
    static bool Sort(PlayList& list, int& follow);
};
