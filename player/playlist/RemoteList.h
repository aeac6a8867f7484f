#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "playlist/PlayListRecord.h"

// A play list fetched from the network (a station's .m3u or .pls): which addresses name one,
// and what its bytes hold. The fetching itself is the window's (QtRemoteListFetch); this part
// only reads. Plain functions, any thread.
namespace RemoteList {

// How many lists deep a list may name further lists, and how many entries one fetch adds at
// most: a list that names itself, or lists that name each other, end there.
constexpr int MaxDepth = 3;
constexpr std::size_t MaxEntries = 10000;
// The largest list read; a larger answer is no station list.
constexpr std::size_t MaxBytes = 1 << 20;

// True for an http:// or https:// address whose path, before any "?" or "#", ends in .m3u,
// .m3u8, .pls or .xspf (any letter case).
bool IsPlayListAddress(std::string_view address);

struct Contents {
    std::vector<PlayListRecord> streams;  // entries to add, in the list's order
    std::vector<std::string> lists;       // addresses of further lists it names
};

// The records of the list at address: stream addresses become entries (the list's caption
// kept, else the address), play list addresses are given back to be fetched in turn. Local
// paths and other schemes are passed over: a list from the network names nothing on this
// machine. Garbage gives nothing; never throws.
Contents Read(const std::string& address, std::string_view bytes);

}  // namespace RemoteList
