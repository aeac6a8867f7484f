#pragma once

#include <algorithm>
#include <numeric>
#include <utility>
#include <vector>

#include "playlist/PlayListEntry.h"

// Receives every change of a PlayList, right after it happened, so a view can mirror it.
// Indexes are positions after the change, except for removals (positions before it).
class PlayListObserver {
public:
    virtual ~PlayListObserver() = default;

    virtual void EntriesInserted(int first, int count) = 0;
    virtual void EntriesRemoved(int first, int count) = 0;
    // Several runs of entries went at once: (first, count) in positions before the change,
    // ascending and apart. By default told as one removal per run, from the last.
    virtual void EntriesDeleted(const std::vector<std::pair<int, int>>& runs);
    virtual void EntryMoved(int from, int to) = 0;
    virtual void EntriesChanged(int first, int last) = 0;  // caption, selected state
    // Tags arrived for some entries of first..last (others between may be untouched), one
    // notice for a whole batch read in the background. By default told as EntriesChanged.
    virtual void TagsChanged(int first, int last);
    virtual void FocusChanged(int previous, int current) = 0;
    virtual void Reset() = 0;
};

// The play list: the one store of entries with their selected and focused states. The
// sequencer, editing, play list files and the view all work on it; the view mirrors it and
// writes the user's clicks back into it. Indexes count from 0; -1 means "none". Entries are
// appended at the end. Single-threaded: the user-interface thread only.
class PlayList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    bool Empty() const { return items_.empty(); }
    const PlayListEntry& At(int index) const { return items_.at(index); }
    bool Contains(int index) const { return index >= 0 && index < Count(); }

    int Append(PlayListEntry entry);
    // Appends every entry with one notice to the observers (a view redraws once, not per
    // entry). Returns the index of the first, or -1 when entries is empty.
    int Append(std::vector<PlayListEntry> entries);
    void Delete(int index);
    // Deletes every selected entry in one pass, with one notice: the order of the rest stays.
    void DeleteSelected();
    void Clear();
    void Move(int from, int to);  // the entry at from ends up at to; the others close up
    void SetCaption(int index, std::string caption);
    // New tags for some entries (a null Tags clears them), with one notice for all: a batch
    // read in the background costs the view one redraw. Indexes out of range are skipped, so a
    // batch computed before an edit cannot throw; the caller matches entries by path first.
    struct TagUpdate {
        int Index = -1;
        std::shared_ptr<const TrackTags> Tags;
    };
    void SetTags(const std::vector<TagUpdate>& updates);
    void Sort(bool (*less)(const PlayListEntry&, const PlayListEntry&));
    // Puts the entries in the order less(a, b) gives, a and b being positions before the
    // sort; stable, so equal entries keep their order. The focus stays with its entry; one
    // notice (a reset).
    template <typename Less>
    void SortBy(Less less) {
        std::vector<int> order(items_.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), less);
        Reorder(order);
    }

    bool IsSelected(int index) const { return items_.at(index).selected; }
    int SelectedCount() const { return selectedCount_; }
    int FirstSelected() const;  // -1 when nothing is selected
    void Select(int index);     // never touches the other entries
    void Deselect(int index);
    void SelectAll();
    // Marks or unmarks entries first..last, with one notice when any changed.
    void SetSelectedRange(int first, int last, bool selected);
    void DeselectAll();
    void SelectOnly(int index);  // the user's own click: the entry alone

    // Sets several captions, (index, caption) each, with one notice for the rows they span.
    void SetCaptions(std::vector<std::pair<int, std::string>> captions);

    int Focused() const { return focused_; }  // -1 when no entry has the focus
    void Focus(int index);                    // -1 removes the focus from every entry
    int Next(int index) const { return index + 1 < Count() ? index + 1 : -1; }

    void AddObserver(PlayListObserver* observer);
    void RemoveObserver(PlayListObserver* observer);

    // The bookkeeping holds: the selected count matches the marks, the focus is in range.
    bool IsConsistent() const;

private:
    // The mark lives in the entry's tail padding (a non-trivial base lends it to the derived
    // class), so an item costs no more than its entry: 80 bytes.
    struct Item : PlayListEntry {
        Item(PlayListEntry entry, bool selected)
            : PlayListEntry(std::move(entry)), selected(selected) {}
        bool selected = false;
    };
    static_assert(sizeof(Item) == sizeof(PlayListEntry), "the mark fits in the entry's padding");

    void SetSelected(int index, bool selected);
    void Reorder(const std::vector<int>& order);  // order[k]: the old position of the new k-th
    template <typename Call>
    void Tell(Call call);

    std::vector<Item> items_;
    int selectedCount_ = 0;
    int focused_ = -1;
    std::vector<PlayListObserver*> observers_;
};
