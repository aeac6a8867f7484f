#include "tags/ScanWorkers.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "tags/FileStamp.h"
#include "tags/TagCache.h"
#include "tags/TagReader.h"

namespace {

// The window's thread must win the processor over a scan: the workers run a little nicer.
constexpr int WorkerNiceness = 5;
constexpr auto StopWait = std::chrono::seconds(2);

}  // namespace

struct ScanWorkers::Shared {
    Shared(TagReader& reader, TagCache* cache, Deliver deliver)
        : reader(reader), cache(cache), deliver(std::move(deliver)) {}

    TagReader& reader;
    TagCache* cache;
    Deliver deliver;
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable exited;
    std::deque<ScanJob> jobs;
    // Set under the lock; read without it between the files of a chunk, so a worker back
    // from a file system that hung touches nothing more once the scan is gone.
    std::atomic<bool> stopping = false;
    int running = 0;
};

ScanWorkers::ScanWorkers(TagReader& reader, TagCache* cache, int threads, Deliver deliver)
    : shared_(std::make_shared<Shared>(reader, cache, std::move(deliver))) {
    threads = std::max(1, threads);
    shared_->running = threads;
    for (int i = 0; i < threads; ++i)
        threads_.emplace_back(&ScanWorkers::Work, shared_);
}

ScanWorkers::~ScanWorkers() {
    std::unique_lock lock(shared_->mutex);
    shared_->stopping = true;
    shared_->jobs.clear();
    shared_->wake.notify_all();
    const bool allOut =
        shared_->exited.wait_for(lock, StopWait, [this] { return shared_->running == 0; });
    lock.unlock();
    for (std::thread& thread : threads_) {
        if (allOut)
            thread.join();
        else
            thread.detach();  // stuck in a file system: it holds its own share of the queue
    }
}

void ScanWorkers::EditQueue(const std::function<void(std::deque<ScanJob>&)>& edit) {
    {
        std::lock_guard lock(shared_->mutex);
        edit(shared_->jobs);
    }
    shared_->wake.notify_all();
}

namespace {

// Reads a chunk of jobs: stamps first, then the cache for all of them at once, then the files
// the cache did not know, whose records are kept for the batch's one store.
void ReadChunk(TagReader& reader, TagCache* cache, const std::atomic<bool>& stopping,
               std::vector<ScanJob>& chunk, std::vector<ScanResult>& batch,
               std::vector<TagCache::Record>& records) {
    std::vector<TagCache::Key> keys;
    std::vector<std::size_t> keyed;  // chunk index of each key
    for (std::size_t i = 0; i < chunk.size(); ++i) {
        const std::optional<FileStamp> stamp = StampOf(chunk[i].Path);
        if (stopping)
            return;
        if (stamp) {
            keys.push_back({chunk[i].Path, *stamp});
            keyed.push_back(i);
        } else {
            batch.push_back({chunk[i].Token, std::move(chunk[i].Path), std::nullopt});
        }
    }
    const std::vector<TagCache::Hit> hits =
        cache ? cache->Find(keys) : std::vector<TagCache::Hit>(keys.size());
    for (std::size_t k = 0; k < keys.size(); ++k) {
        ScanJob& job = chunk[keyed[k]];
        std::optional<TrackTags> tags;
        if (hits[k].Found) {
            tags = hits[k].Tags;
        } else {
            tags = reader.Read(job.Path);
            if (stopping)
                return;
            if (cache)
                records.push_back({job.Path, keys[k].Stamp, tags});
        }
        batch.push_back({job.Token, std::move(job.Path), std::move(tags)});
    }
}

// What was read goes into the cache in one transaction a batch, before the batch is told.
void StoreRecords(TagCache* cache, std::vector<TagCache::Record>& records) {
    if (cache && !records.empty())
        cache->Store(records);
    records.clear();
}

}  // namespace

void ScanWorkers::Work(std::shared_ptr<Shared> shared) {
    ::setpriority(PRIO_PROCESS, static_cast<id_t>(::syscall(SYS_gettid)), WorkerNiceness);
    using Steady = std::chrono::steady_clock;
    std::vector<ScanResult> batch;
    std::vector<TagCache::Record> records;
    Steady::time_point batchStart;
    std::unique_lock lock(shared->mutex);
    for (;;) {
        if (shared->jobs.empty() && !batch.empty() && !shared->stopping) {
            lock.unlock();
            StoreRecords(shared->cache, records);
            lock.lock();
            if (shared->stopping)
                break;
            shared->deliver(std::move(batch));
            batch.clear();
        }
        shared->wake.wait(lock, [&] { return shared->stopping || !shared->jobs.empty(); });
        if (shared->stopping)
            break;
        std::vector<ScanJob> chunk;
        const bool urgent = shared->jobs.front().Urgent;
        while (!shared->jobs.empty() && chunk.size() < ChunkSize &&
               shared->jobs.front().Urgent == urgent) {
            chunk.push_back(std::move(shared->jobs.front()));
            shared->jobs.pop_front();
        }
        lock.unlock();
        if (batch.empty())
            batchStart = Steady::now();
        ReadChunk(shared->reader, shared->cache, shared->stopping, chunk, batch, records);
        const bool full = urgent || batch.size() >= BatchSize ||
                          Steady::now() - batchStart >= std::chrono::milliseconds(BatchMs);
        if (full && !shared->stopping)
            StoreRecords(shared->cache, records);
        lock.lock();
        if (shared->stopping)
            break;
        if (full) {
            shared->deliver(std::move(batch));
            batch.clear();
        }
    }
    --shared->running;
    shared->exited.notify_all();
}
