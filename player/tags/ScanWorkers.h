#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "playlist/TrackTags.h"

class TagCache;
class TagReader;

// One file to read: the token says which entry asked (the scanner's own numbering).
struct ScanJob {
    std::uint64_t Token = 0;
    std::string Path;
    bool Urgent = false;  // a row on screen: read before the rest, and told at once
};

// What was learnt of one file: tags nullopt when it told nothing, was not a regular file or
// vanished.
struct ScanResult {
    std::uint64_t Token = 0;
    std::string Path;
    std::optional<TrackTags> Tags;
};

// The threads that read tags: they take jobs from the front of one queue, look each file up
// in the cache by its stamp, read the others with the reader and store what they read, and
// hand back results in batches (a few hundred, or what 50 ms gave, or at once for rows on
// screen, or when the queue runs dry).
//
// Thread: the queue is changed from the user-interface thread through EditQueue; deliver runs
// on a worker thread, under the queue's lock, and must only post (UiPost) and return. The
// reader and the cache must outlive every worker; a worker stuck in a file system that does
// not answer is left behind at destruction (after a short wait) and touches nothing but the
// shared queue when it comes back.
class ScanWorkers {
public:
    using Deliver = std::function<void(std::vector<ScanResult>)>;

    ScanWorkers(TagReader& reader, TagCache* cache, int threads, Deliver deliver);
    ~ScanWorkers();
    ScanWorkers(const ScanWorkers&) = delete;
    ScanWorkers& operator=(const ScanWorkers&) = delete;

    // Runs edit on the queue under its lock, then wakes the workers. Never blocks for long:
    // workers hold the lock only to take jobs and to post.
    void EditQueue(const std::function<void(std::deque<ScanJob>&)>& edit);

    static constexpr std::size_t ChunkSize = 16;   // jobs a worker takes at once
    static constexpr std::size_t BatchSize = 256;  // results told at once, at most
    static constexpr int BatchMs = 50;             // nor held longer than this

private:
    struct Shared;
    static void Work(std::shared_ptr<Shared> shared);

    std::shared_ptr<Shared> shared_;
    std::vector<std::thread> threads_;
};
