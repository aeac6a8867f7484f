#pragma once

#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "tags/FileStamp.h"
#include "tags/TagReader.h"

// A tag reader that answers from a table, for regular files only (as the real one, it gives
// nothing for a missing path, a folder or a FIFO). It records every path read, in order, and
// can hold reads at a gate until the test opens it. Thread-safe, as the contract asks.
class FakeTagReader final : public TagReader {
public:
    void Add(const std::string& path, const TrackTags& tags) {
        std::lock_guard lock(mutex_);
        tags_[path] = tags;
    }
    void AddCover(const std::string& path, CoverPicture cover) {
        std::lock_guard lock(mutex_);
        covers_[path] = std::move(cover);
    }

    std::optional<TrackTags> Read(const std::string& path) override {
        std::unique_lock lock(mutex_);
        reads_.push_back(path);
        changed_.notify_all();
        changed_.wait(lock, [this] { return open_; });
        const auto found = tags_.find(path);
        if (found == tags_.end() || !StampOf(path))
            return std::nullopt;
        return found->second;
    }
    std::optional<CoverPicture> ReadCover(const std::string& path) override {
        std::lock_guard lock(mutex_);
        const auto found = covers_.find(path);
        if (found == covers_.end() || !StampOf(path))
            return std::nullopt;
        return found->second;
    }

    // Reads wait at the gate while it is shut (it starts open).
    void ShutGate() {
        std::lock_guard lock(mutex_);
        open_ = false;
    }
    void OpenGate() {
        std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }
    // Waits until count reads have begun.
    void WaitForReads(std::size_t count) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return reads_.size() >= count; });
    }
    std::vector<std::string> Reads() const {
        std::lock_guard lock(mutex_);
        return reads_;
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = true;
    std::map<std::string, TrackTags> tags_;
    std::map<std::string, CoverPicture> covers_;
    std::vector<std::string> reads_;
};
