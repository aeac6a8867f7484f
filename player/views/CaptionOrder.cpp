#include "views/CaptionOrder.h"

#include <QCollator>
#include <QString>
#include <vector>

#include "playlist/PlayList.h"

namespace {

std::vector<QCollatorSortKey> Keys(const PlayList& list) {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseSensitive);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(list.Count());
    for (int i = 0; i < list.Count(); ++i) {
        const std::string& caption = list.At(i).Caption;
        keys.push_back(collator.sortKey(
            QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()))));
    }
    return keys;
}

bool InOrder(const std::vector<QCollatorSortKey>& keys) {
    for (std::size_t i = 1; i < keys.size(); ++i)
        if (keys[i].compare(keys[i - 1]) < 0)
            return false;
    return true;
}

}  // namespace

bool CaptionOrder::Sorted(const PlayList& list) {
    return InOrder(Keys(list));
}

bool CaptionOrder::Sort(PlayList& list) {
    int none = -1;
    return Sort(list, none);
}

bool CaptionOrder::Sort(PlayList& list, int& follow) {
    const std::vector<QCollatorSortKey> keys = Keys(list);
    if (InOrder(keys))
        return false;
    const auto less = [&keys](int a, int b) { return keys[a].compare(keys[b]) < 0; };
    if (follow >= 0 && follow < list.Count()) {
        int landing = 0;
        for (int i = 0; i < list.Count(); ++i)
            if (less(i, follow) || (i < follow && !less(follow, i)))
                ++landing;
        follow = landing;
    }
    list.SortBy(less);
    return true;
}
