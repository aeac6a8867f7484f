#include "playlist/TagCaption.h"

#include <algorithm>
#include <string_view>

#include "playlist/PlayList.h"

std::string CaptionFromTags(const TrackTags& tags) {
    if (tags.Title.empty())
        return {};
    if (tags.Artist.empty())
        return tags.Title;
    return tags.Artist + " - " + tags.Title;
}

bool ShowsFileName(const PlayListEntry& entry) {
    const std::string_view path = entry.Path;
    const std::string_view name = path.substr(path.find_last_of('/') + 1);
    if (entry.Caption == name)
        return true;
    const std::size_t dot = name.find_last_of('.');
    return dot != std::string_view::npos && entry.Caption == name.substr(0, dot);
}

std::vector<std::pair<int, std::string>> CaptionsFromTags(const PlayList& list, int first,
                                                          int last) {
    std::vector<std::pair<int, std::string>> captions;
    first = std::max(first, 0);
    last = std::min(last, list.Count() - 1);
    for (int i = first; i <= last; ++i) {
        const PlayListEntry& entry = list.At(i);
        if (entry.Tags == nullptr || !ShowsFileName(entry))
            continue;
        std::string caption = CaptionFromTags(*entry.Tags);
        if (!caption.empty() && caption != entry.Caption)
            captions.emplace_back(i, std::move(caption));
    }
    return captions;
}
