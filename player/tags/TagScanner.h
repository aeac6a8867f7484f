#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "playlist/PlayList.h"
#include "tags/ScanWorkers.h"

class TagCache;
class TagReader;
class UiPost;

// The background scan: reads the tags of every play list entry that has none, on worker
// threads, and writes them into the list in batches (PlayList::SetTags, one notice each).
// Entries appear at once and their tags follow; the rows on screen are read first, then the
// rest in list order; an entry removed (or a list cleared) before it was read is not read.
//
// Entries have no identity but their position, so the scanner follows every change of the
// list: each job carries a token whose entry's position is kept up to date while the file is
// read, and a result whose entry went is dropped. A re-sort (a reset of the list) drops the
// results under way and queues again the entries still without tags (a length alone, which
// the media device tells when a file plays, does not count as read). A file read without
// result (bad, gone, not a regular file) is not read again until the list is reset.
//
// Thread: the user-interface thread only, as the list. Results come through UiPost.
// Everything given must outlive the scanner; the cache may be null (no cache).
class TagScanner final : public PlayListObserver {
public:
    // queueDepth: jobs kept queued ahead of the workers (more are added as results come back).
    TagScanner(PlayList& list, TagReader& reader, TagCache* cache, UiPost& post, int threads,
               int queueDepth = QueueDepth);
    ~TagScanner() override;
    TagScanner(const TagScanner&) = delete;
    TagScanner& operator=(const TagScanner&) = delete;

    // Rows first..last are on screen: their entries go to the front of the queue. Any range
    // (rows past the end count once entries fill them; at most MaxShownRows from first); cheap,
    // call it at every scroll.
    void ShowRows(int first, int last);
    // Nothing is queued or being read.
    bool Idle() const { return inFlight_.empty() && next_ >= static_cast<int>(state_.size()); }
    // Jobs given to the workers and not yet answered (queued or being read).
    int InFlight() const { return static_cast<int>(inFlight_.size()); }

    static constexpr int MaxShownRows = 200;
    static constexpr int QueueDepth = 1024;

    void EntriesInserted(int first, int count) override;
    void EntriesRemoved(int first, int count) override;
    void EntriesDeleted(const std::vector<std::pair<int, int>>& runs) override;
    void EntryMoved(int from, int to) override;
    void EntriesChanged(int, int) override {}
    void TagsChanged(int, int) override {}
    void FocusChanged(int, int) override {}
    void Reset() override;

private:
    enum class State : std::uint8_t { Pending, Queued, Done };
    struct Alive;

    void Apply(std::vector<ScanResult> results);
    // Tops the workers' queue up: rows on screen first, then from next_ on in list order.
    void Feed();
    ScanJob MakeJob(int index, bool urgent);
    // Forgets tokens whose entries went, and their jobs not yet taken.
    void DropDeadJobs();
    void Restart();  // every entry anew from the list (a reset)
    // The entry's tags were read from its file (more than a length is known).
    static bool Read(const PlayListEntry& entry);

    PlayList& list_;
    std::shared_ptr<Alive> alive_;  // lets results posted after destruction find nothing
    std::vector<State> state_;      // one per entry, in list order
    std::unordered_map<std::uint64_t, int> inFlight_;  // token -> entry position, -1 when gone
    std::uint64_t nextToken_ = 1;
    int next_ = 0;  // no entry before this one is Pending, but for the rows on screen
    int shownFirst_ = 0;
    int shownLast_ = -1;
    std::size_t queueDepth_;
    std::unique_ptr<ScanWorkers> workers_;
};
