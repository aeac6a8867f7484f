#pragma once

#include <memory>
#include <utility>
#include <vector>

// Releases nothing: for a list that points into storage someone else owns.
template <typename T>
struct NoRelease {
    void operator()(T*) const noexcept {}
};

// An ordered list of pointers. Whether it owns its items is in its type: Release is called
// on every item when the list is cleared, first to last, and the list is cleared when it is
// destroyed. TPointerList<T> deletes its items; TPointerList<T, NoRelease<T>> only forgets
// them. Items are handed out as plain pointers that never own and stay valid until Clear.
template <typename T, typename Release = std::default_delete<T>>
class TPointerList {
public:
    using Item = std::unique_ptr<T, Release>;

    TPointerList() = default;
    TPointerList(const TPointerList&) = delete;
    TPointerList& operator=(const TPointerList&) = delete;
    ~TPointerList() { Clear(); }

    // Appends the item; returns its index.
    int Add(Item item) {
        items_.push_back(std::move(item));
        return Count() - 1;
    }
    // The item at the index, or nullptr when there is none.
    T* Items(int index) const {
        if (index < 0 || index >= Count())
            return nullptr;
        return items_[static_cast<std::size_t>(index)].get();
    }
    int Count() const { return static_cast<int>(items_.size()); }
    void Clear() {
        // std::vector leaves the order of destruction open; the release order is promised.
        for (auto& item : items_)
            item.reset();
        items_.clear();
    }

private:
    std::vector<Item> items_;
};
