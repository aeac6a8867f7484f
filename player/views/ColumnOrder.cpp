#include "views/ColumnOrder.h"

#include <QCollator>
#include <QString>
#include <cstdint>
#include <vector>

#include "playlist/PlayList.h"
#include "views/CaptionOrder.h"

namespace {

using C = PlayListColumn;

// What an entry sorts by: a number and up to two texts, compared in this order: texts[0],
// texts[1], then the number. Made once per entry and sort.
struct SortKey {
    QCollatorSortKey first;
    QCollatorSortKey second;
    std::int64_t number = 0;
};

QString Text(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

class Keys {
public:
    Keys(const PlayList& list, PlayListColumn column) {
        collator_.setCaseSensitivity(Qt::CaseSensitive);
        const QCollatorSortKey none = collator_.sortKey(QString());
        keys_.reserve(static_cast<std::size_t>(list.Count()));
        for (int i = 0; i < list.Count(); ++i) {
            const PlayListEntry& entry = list.At(i);
            const TrackTags* tags = entry.Tags.get();
            SortKey key{none, none, -1};
            switch (column) {
                case C::Name:
                    key.first = collator_.sortKey(Text(entry.Caption));
                    break;
                case C::Type:
                    key.first = collator_.sortKey(Text(entry.TypeName));
                    break;
                case C::Path:
                    key.first = collator_.sortKey(Text(entry.Path));
                    break;
                case C::Title:
                case C::Genre:
                    if (tags != nullptr)
                        key.first =
                            collator_.sortKey(Text(column == C::Title ? tags->Title : tags->Genre));
                    break;
                case C::Artist:
                case C::Album:
                    if (tags != nullptr) {
                        const std::string& artist =
                            tags->AlbumArtist.empty() ? tags->Artist : tags->AlbumArtist;
                        key.first = collator_.sortKey(Text(artist));
                        key.second = collator_.sortKey(Text(tags->Album));
                        // Disc before track: a disc counts 100,000 tracks.
                        key.number = std::int64_t{tags->Disc} * 100000 + tags->Track;
                    }
                    break;
                case C::Length:
                    if (tags != nullptr)
                        key.number = tags->LengthMs;
                    break;
                case C::Track:
                    if (tags != nullptr && tags->Track > 0)
                        key.number = tags->Track;
                    break;
                case C::Year:
                    if (tags != nullptr && tags->Year > 0)
                        key.number = tags->Year;
                    break;
            }
            keys_.push_back(std::move(key));
        }
    }

    bool Less(int a, int b) const {
        const SortKey& x = keys_[static_cast<std::size_t>(a)];
        const SortKey& y = keys_[static_cast<std::size_t>(b)];
        if (const int c = x.first.compare(y.first); c != 0)
            return c < 0;
        if (const int c = x.second.compare(y.second); c != 0)
            return c < 0;
        return x.number < y.number;
    }

private:
    QCollator collator_;
    std::vector<SortKey> keys_;
};

}  // namespace

bool ColumnOrder::Sort(PlayList& list, PlayListColumn column, bool descending, int& follow) {
    // The Name header sorts as "Sorting" > "Name" does, through the same code.
    if (column == C::Name && !descending)
        return CaptionOrder::Sort(list, follow);
    const Keys keys(list, column);
    const auto less = [&](int a, int b) { return descending ? keys.Less(b, a) : keys.Less(a, b); };
    bool inOrder = true;
    for (int i = 1; i < list.Count() && inOrder; ++i)
        inOrder = !less(i, i - 1);
    if (inOrder)
        return false;
    if (follow >= 0 && follow < list.Count()) {
        // The stable landing place: after every entry that sorts before it and every equal one
        // that stood before it.
        int landing = 0;
        for (int i = 0; i < list.Count(); ++i)
            if (less(i, follow) || (i < follow && !less(follow, i)))
                ++landing;
        follow = landing;
    }
    list.SortBy(less);
    return true;
}
