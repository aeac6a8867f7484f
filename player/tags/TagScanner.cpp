#include "tags/TagScanner.h"

#include <malloc.h>

#include <algorithm>
#include <unordered_set>

#include "services/UiPost.h"

// The scanner as the posted results see it: cleared when the scanner goes, so a batch that
// arrives afterwards is dropped.
struct TagScanner::Alive {
    TagScanner* scanner = nullptr;
};

TagScanner::TagScanner(PlayList& list, TagReader& reader, TagCache* cache, UiPost& post,
                       int threads, int queueDepth)
    : list_(list),
      alive_(std::make_shared<Alive>()),
      queueDepth_(static_cast<std::size_t>(std::max(1, queueDepth))) {
    alive_->scanner = this;
    workers_ = std::make_unique<ScanWorkers>(
        reader, cache, threads, [&post, alive = alive_](std::vector<ScanResult> results) {
            post.Post([alive, results = std::move(results)]() mutable {
                if (alive->scanner)
                    alive->scanner->Apply(std::move(results));
            });
        });
    list_.AddObserver(this);
    Restart();
}

TagScanner::~TagScanner() {
    list_.RemoveObserver(this);
    alive_->scanner = nullptr;
    workers_.reset();
}

ScanJob TagScanner::MakeJob(int index, bool urgent) {
    const std::uint64_t token = nextToken_++;
    inFlight_.emplace(token, index);
    state_[index] = State::Queued;
    return ScanJob{token, list_.At(index).Path, urgent};
}

void TagScanner::Feed() {
    const int count = static_cast<int>(state_.size());
    std::vector<ScanJob> urgent;
    for (int row = std::max(0, shownFirst_); row <= std::min(shownLast_, count - 1); ++row) {
        if (state_[row] == State::Pending)
            urgent.push_back(MakeJob(row, true));
    }
    std::vector<ScanJob> normal;
    while (inFlight_.size() < queueDepth_ && next_ < count) {
        if (state_[next_] == State::Pending)
            normal.push_back(MakeJob(next_, false));
        ++next_;
    }
    if (urgent.empty() && normal.empty())
        return;
    workers_->EditQueue([&](std::deque<ScanJob>& queue) {
        queue.insert(queue.begin(), std::make_move_iterator(urgent.begin()),
                     std::make_move_iterator(urgent.end()));
        queue.insert(queue.end(), std::make_move_iterator(normal.begin()),
                     std::make_move_iterator(normal.end()));
    });
}

void TagScanner::ShowRows(int first, int last) {
    first = std::max(0, first);
    // Kept beyond the list's end: rows the view shows before a load fills them count too.
    last = std::min(last, first + MaxShownRows - 1);
    if (first == shownFirst_ && last == shownLast_)
        return;
    shownFirst_ = first;
    shownLast_ = last;
    // Rows already queued behind others move to the front, in their order.
    workers_->EditQueue([&](std::deque<ScanJob>& queue) {
        const auto shown = [&](const ScanJob& job) {
            const auto found = inFlight_.find(job.Token);
            return found != inFlight_.end() && found->second >= first && found->second <= last;
        };
        for (ScanJob& job : queue)
            job.Urgent = shown(job);
        std::stable_partition(queue.begin(), queue.end(),
                              [](const ScanJob& job) { return job.Urgent; });
    });
    Feed();
}

void TagScanner::Apply(std::vector<ScanResult> results) {
    std::vector<PlayList::TagUpdate> updates;
    for (ScanResult& result : results) {
        const auto found = inFlight_.find(result.Token);
        if (found == inFlight_.end())
            continue;  // its entry went, or the list was reset meanwhile
        const int index = found->second;
        inFlight_.erase(found);
        if (!list_.Contains(index))
            continue;
        if (list_.At(index).Path != result.Path) {
            // Not the entry asked for (cannot happen while every change is told): ask again.
            state_[index] = State::Pending;
            next_ = std::min(next_, index);
            continue;
        }
        state_[index] = State::Done;
        if (!result.Tags)
            continue;
        auto tags = std::make_shared<TrackTags>(std::move(*result.Tags));
        const std::shared_ptr<const TrackTags>& had = list_.At(index).Tags;
        // A length the media device told while the file played beats none.
        if (had && tags->LengthMs < 0)
            tags->LengthMs = had->LengthMs;
        if (had && *had == *tags)
            continue;
        updates.push_back({index, std::move(tags)});
    }
    list_.SetTags(updates);
    Feed();
    // The workers' scratch (TagLib's objects, the results on their way) lies in their own
    // heaps between live blocks: at the end of a scan, hand the free pages back.
    if (Idle())
        ::malloc_trim(0);
}

void TagScanner::DropDeadJobs() {
    std::unordered_set<std::uint64_t> dead;
    for (auto it = inFlight_.begin(); it != inFlight_.end();) {
        if (it->second < 0) {
            dead.insert(it->first);
            it = inFlight_.erase(it);
        } else {
            ++it;
        }
    }
    if (dead.empty())
        return;
    workers_->EditQueue([&](std::deque<ScanJob>& queue) {
        std::erase_if(queue, [&](const ScanJob& job) { return dead.count(job.Token) != 0; });
    });
}

void TagScanner::EntriesInserted(int first, int count) {
    state_.insert(state_.begin() + first, count, State::Pending);
    for (auto& [token, index] : inFlight_) {
        if (index >= first)
            index += count;
    }
    next_ = std::min(next_, first);
    Feed();
}

void TagScanner::EntriesRemoved(int first, int count) {
    EntriesDeleted({{first, count}});
}

void TagScanner::EntriesDeleted(const std::vector<std::pair<int, int>>& runs) {
    if (runs.empty())
        return;
    // removedBefore(p): how many removed positions lie before p; -1 when p itself went.
    std::vector<int> starts;
    std::vector<int> before;  // removed positions before each run's start
    int removed = 0;
    for (const auto& [first, count] : runs) {
        starts.push_back(first);
        before.push_back(removed);
        removed += count;
    }
    const auto newPosition = [&](int p) {
        const auto run = std::upper_bound(starts.begin(), starts.end(), p) - starts.begin() - 1;
        if (run < 0)
            return p;
        const auto& [first, count] = runs[run];
        if (p < first + count)
            return -1;
        return p - before[run] - count;
    };
    for (auto& [token, index] : inFlight_)
        index = index < 0 ? -1 : newPosition(index);
    int kept = 0;
    std::size_t run = 0;
    for (int p = 0; p < static_cast<int>(state_.size()); ++p) {
        while (run < runs.size() && p >= runs[run].first + runs[run].second)
            ++run;
        if (run < runs.size() && p >= runs[run].first)
            continue;
        state_[kept++] = state_[p];
    }
    // next_ moves to where its entry went, or to the first after the gap it fell into.
    int moved = next_;
    for (std::size_t r = 0; r < runs.size(); ++r) {
        const auto& [first, count] = runs[r];
        if (next_ >= first + count)
            moved -= count;
        else if (next_ >= first)
            moved -= next_ - first;
    }
    state_.resize(kept);
    next_ = std::clamp(moved, 0, kept);
    DropDeadJobs();
    Feed();
}

void TagScanner::EntryMoved(int from, int to) {
    const auto begin = state_.begin();
    if (from < to)
        std::rotate(begin + from, begin + from + 1, begin + to + 1);
    else
        std::rotate(begin + to, begin + from, begin + from + 1);
    for (auto& [token, index] : inFlight_) {
        if (index == from)
            index = to;
        else if (from < to && index > from && index <= to)
            --index;
        else if (to < from && index >= to && index < from)
            ++index;
    }
    next_ = std::min(next_, std::min(from, to));
}

bool TagScanner::Read(const PlayListEntry& entry) {
    // The length alone is what the media device told at an open, not a read of the file.
    const std::shared_ptr<const TrackTags>& tags = entry.Tags;
    if (!tags)
        return false;
    TrackTags lengthOnly;
    lengthOnly.LengthMs = tags->LengthMs;
    return *tags != lengthOnly;
}

void TagScanner::Reset() {
    Restart();
}

void TagScanner::Restart() {
    inFlight_.clear();
    workers_->EditQueue([](std::deque<ScanJob>& queue) { queue.clear(); });
    const int count = list_.Count();
    state_.assign(count, State::Pending);
    for (int i = 0; i < count; ++i) {
        if (Read(list_.At(i)))
            state_[i] = State::Done;
    }
    next_ = 0;
    Feed();
}
