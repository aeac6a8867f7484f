#include "playlist/PlayList.h"

#include <cstddef>

#include <algorithm>
#include <stdexcept>

template <typename Call>
void PlayList::Tell(Call call) {
    for (PlayListObserver* observer : observers_)
        call(*observer);
}

void PlayListObserver::EntriesDeleted(const std::vector<std::pair<int, int>>& runs) {
    for (auto run = runs.rbegin(); run != runs.rend(); ++run)
        EntriesRemoved(run->first, run->second);
}

void PlayListObserver::TagsChanged(int first, int last) {
    EntriesChanged(first, last);
}

// Two strings, the shared type name, the tags handle and the icon: a million entries stay
// under 100 MB before their texts.
static_assert(sizeof(PlayListEntry) <= 96, "a play list entry stays within 96 bytes");

int PlayList::Append(PlayListEntry entry) {
    items_.push_back(Item{std::move(entry), false});
    const int index = Count() - 1;
    Tell([&](PlayListObserver& o) { o.EntriesInserted(index, 1); });
    return index;
}

int PlayList::Append(std::vector<PlayListEntry> entries) {
    if (entries.empty())
        return -1;
    const int first = Count();
    // Grown by doubling: many small batches (a drop of many files) stay linear.
    if (items_.capacity() < items_.size() + entries.size())
        items_.reserve(std::max(items_.size() + entries.size(), 2 * items_.capacity()));
    for (PlayListEntry& entry : entries)
        items_.push_back(Item{std::move(entry), false});
    const int count = Count() - first;
    Tell([&](PlayListObserver& o) { o.EntriesInserted(first, count); });
    return first;
}

void PlayList::Delete(int index) {
    if (!Contains(index))
        throw std::out_of_range("PlayList::Delete");
    if (items_[index].selected)
        --selectedCount_;
    items_.erase(items_.begin() + index);
    if (focused_ == index)
        focused_ = -1;
    else if (focused_ > index)
        --focused_;
    Tell([&](PlayListObserver& o) { o.EntriesRemoved(index, 1); });
}

void PlayList::DeleteSelected() {
    if (selectedCount_ == 0)
        return;
    std::vector<std::pair<int, int>> runs;
    int kept = 0;
    int newFocus = -1;
    const int count = Count();
    for (int i = 0; i < count; ++i) {
        if (items_[i].selected) {
            if (!runs.empty() && runs.back().first + runs.back().second == i)
                ++runs.back().second;
            else
                runs.emplace_back(i, 1);
            continue;
        }
        if (i == focused_)
            newFocus = kept;
        if (kept != i)
            items_[kept] = std::move(items_[i]);
        ++kept;
    }
    items_.erase(items_.begin() + kept, items_.end());
    selectedCount_ = 0;
    focused_ = newFocus;
    Tell([&](PlayListObserver& o) { o.EntriesDeleted(runs); });
}

void PlayList::Clear() {
    items_.clear();
    selectedCount_ = 0;
    focused_ = -1;
    Tell([](PlayListObserver& o) { o.Reset(); });
}

void PlayList::Move(int from, int to) {
    if (!Contains(from) || !Contains(to))
        throw std::out_of_range("PlayList::Move");
    if (from == to)
        return;
    const auto first = items_.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
    if (focused_ == from)
        focused_ = to;
    else if (from < to && focused_ > from && focused_ <= to)
        --focused_;
    else if (to < from && focused_ >= to && focused_ < from)
        ++focused_;
    Tell([&](PlayListObserver& o) { o.EntryMoved(from, to); });
}

void PlayList::SetCaption(int index, std::string caption) {
    items_.at(index).Caption = std::move(caption);
    Tell([&](PlayListObserver& o) { o.EntriesChanged(index, index); });
}

void PlayList::SetTags(const std::vector<TagUpdate>& updates) {
    int first = Count();
    int last = -1;
    for (const TagUpdate& update : updates) {
        if (!Contains(update.Index))
            continue;
        items_[update.Index].Tags = update.Tags;
        first = std::min(first, update.Index);
        last = std::max(last, update.Index);
    }
    if (last >= 0)
        Tell([&](PlayListObserver& o) { o.TagsChanged(first, last); });
}

void PlayList::Sort(bool (*less)(const PlayListEntry&, const PlayListEntry&)) {
    SortBy([this, less](int a, int b) { return less(items_[a], items_[b]); });
}

void PlayList::Reorder(const std::vector<int>& order) {
    std::vector<Item> sorted;
    sorted.reserve(items_.size());
    int newFocus = -1;
    for (const int old : order) {
        if (old == focused_)
            newFocus = static_cast<int>(sorted.size());
        sorted.push_back(std::move(items_[old]));
    }
    items_ = std::move(sorted);
    focused_ = newFocus;
    Tell([](PlayListObserver& o) { o.Reset(); });
}

int PlayList::FirstSelected() const {
    if (selectedCount_ == 0)
        return -1;
    const auto it =
        std::find_if(items_.begin(), items_.end(), [](const Item& item) { return item.selected; });
    return static_cast<int>(it - items_.begin());
}

void PlayList::SetSelected(int index, bool selected) {
    Item& item = items_.at(index);
    if (item.selected == selected)
        return;
    item.selected = selected;
    selectedCount_ += selected ? 1 : -1;
    Tell([&](PlayListObserver& o) { o.EntriesChanged(index, index); });
}

void PlayList::Select(int index) {
    SetSelected(index, true);
}

void PlayList::Deselect(int index) {
    SetSelected(index, false);
}

void PlayList::SelectAll() {
    for (Item& item : items_)
        item.selected = true;
    selectedCount_ = Count();
    if (!items_.empty())
        Tell([&](PlayListObserver& o) { o.EntriesChanged(0, Count() - 1); });
}

void PlayList::SetSelectedRange(int first, int last, bool selected) {
    if (!Contains(first) || !Contains(last))
        throw std::out_of_range("PlayList::SetSelectedRange");
    bool changed = false;
    for (int i = first; i <= last; ++i) {
        Item& item = items_[i];
        if (item.selected == selected)
            continue;
        item.selected = selected;
        selectedCount_ += selected ? 1 : -1;
        changed = true;
    }
    if (changed)
        Tell([&](PlayListObserver& o) { o.EntriesChanged(first, last); });
}

void PlayList::DeselectAll() {
    for (Item& item : items_)
        item.selected = false;
    selectedCount_ = 0;
    if (!items_.empty())
        Tell([&](PlayListObserver& o) { o.EntriesChanged(0, Count() - 1); });
}

void PlayList::SelectOnly(int index) {
    for (Item& item : items_)
        item.selected = false;
    items_.at(index).selected = true;
    selectedCount_ = 1;
    Tell([&](PlayListObserver& o) { o.EntriesChanged(0, Count() - 1); });
}

void PlayList::Focus(int index) {
    if (index != -1 && !Contains(index))
        throw std::out_of_range("PlayList::Focus");
    if (focused_ == index)
        return;
    const int previous = focused_;
    focused_ = index;
    Tell([&](PlayListObserver& o) { o.FocusChanged(previous, index); });
}

void PlayList::AddObserver(PlayListObserver* observer) {
    observers_.push_back(observer);
}

void PlayList::RemoveObserver(PlayListObserver* observer) {
    std::erase(observers_, observer);
}

bool PlayList::IsConsistent() const {
    const auto marked =
        std::count_if(items_.begin(), items_.end(), [](const Item& item) { return item.selected; });
    return marked == selectedCount_ && focused_ >= -1 && focused_ < Count();
}

void PlayList::SetCaptions(std::vector<std::pair<int, std::string>> captions) {
    if (captions.empty())
        return;
    int first = Count();
    int last = -1;
    for (auto& [index, caption] : captions) {
        items_.at(index).Caption = std::move(caption);
        first = std::min(first, index);
        last = std::max(last, index);
    }
    Tell([&](PlayListObserver& o) { o.EntriesChanged(first, last); });
}
