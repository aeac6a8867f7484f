#include "playlist/RemoteList.h"

#include <exception>

#include "media/StreamText.h"
#include "playlist/PlayListFiles.h"

namespace RemoteList {

namespace {

// The address's path without its query or fragment, for the extension.
std::string PathPart(std::string_view address) {
    const std::size_t end = address.find_first_of("?#");
    return std::string(address.substr(0, end));
}

}  // namespace

bool IsPlayListAddress(std::string_view address) {
    if (!StreamText::IsStreamAddress(address))
        return false;
    const std::string path = PathPart(address);
    return PlayListFiles::FormOf(path) != PlayListFiles::Form::Own;
}

Contents Read(const std::string& address, std::string_view bytes) {
    Contents contents;
    if (bytes.size() > MaxBytes)
        return contents;
    std::vector<PlayListRecord> records;
    try {
        records = PlayListFiles::Read(PlayListFiles::FormOf(PathPart(address)), bytes);
    } catch (const std::exception&) {
        return contents;  // not a list it could read: nothing to add
    }
    for (PlayListRecord& record : records) {
        if (contents.streams.size() >= MaxEntries)
            break;
        // Lines of a list read as text may carry blanks around the address.
        const std::size_t first = record.Path.find_first_not_of(" \t");
        const std::size_t last = record.Path.find_last_not_of(" \t");
        if (first == std::string::npos)
            continue;
        std::string path = record.Path.substr(first, last - first + 1);
        if (IsPlayListAddress(path)) {
            contents.lists.push_back(std::move(path));
        } else if (StreamText::IsStreamAddress(path)) {
            std::string caption = record.Caption.empty() ? path : std::move(record.Caption);
            contents.streams.push_back({std::move(caption), std::move(path)});
        }
    }
    return contents;
}

}  // namespace RemoteList
