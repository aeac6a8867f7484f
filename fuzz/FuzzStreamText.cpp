// What a station says and what a station list holds: the first field is a title (or station
// name), the second a station list's bytes, the third a limit. A cleaned title is UTF-8, free
// of control characters and of blanks at its ends, and within the limit; a station list read
// from the network gives only http(s) addresses, and lists only as play list addresses.
#include "FuzzSupport.h"
#include "media/StreamText.h"
#include "playlist/RemoteList.h"
#include "textfile/TextEncoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> fields = Fields(Bytes(data, size));
    const std::string& title = fields[0];
    const std::string list = fields.size() > 1 ? fields[1] : std::string();
    const std::size_t limit = fields.size() > 2 ? fields[2].size() * 7 % 300 : 200;

    for (const std::string& clean :
         {StreamText::Clean(title, limit), StreamText::StationAndTitle(title, list, limit)}) {
        FUZZ_CHECK(clean.size() <= limit);
        FUZZ_CHECK(IsValidUtf8(clean));
        FUZZ_CHECK(clean.empty() || (clean.front() != ' ' && clean.back() != ' '));
        for (unsigned char c : clean)
            FUZZ_CHECK(c >= 0x20 && c != 0x7F);
    }
    for (const char* address : {"http://h/l.m3u", "http://h/l.pls", "http://h/l.xspf"}) {
        const RemoteList::Contents contents = RemoteList::Read(address, list);
        FUZZ_CHECK(contents.streams.size() <= RemoteList::MaxEntries);
        for (const PlayListRecord& stream : contents.streams) {
            FUZZ_CHECK(StreamText::IsStreamAddress(stream.Path));
            FUZZ_CHECK(!RemoteList::IsPlayListAddress(stream.Path));
            FUZZ_CHECK(!stream.Caption.empty());
        }
        for (const std::string& next : contents.lists)
            FUZZ_CHECK(RemoteList::IsPlayListAddress(next));
    }
    return 0;
}
