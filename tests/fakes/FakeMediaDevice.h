#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "media/MediaDevice.h"

// A media device without sound, driven by the test: files are "openable" when registered with
// a length; time moves only when the test says so. Notices wait in a queue until the test
// delivers them, as the real device delivers them later through the event loop.
class FakeMediaDevice final : public MediaDevice {
public:
    // A file the device can open, with its length in milliseconds.
    void AddFile(const std::string& path, std::int64_t lengthMs) {
        files_[path] = {lengthMs, true};
    }
    // A file that plays for lengthMs but whose length the device cannot tell: Length reads 0.
    void AddUnsizedFile(const std::string& path, std::int64_t lengthMs) {
        files_[path] = {lengthMs, false};
    }
    // Moves the position of a playing file on; reaching the end queues a successful notice.
    void Advance(std::int64_t ms);
    void PlayToEnd() { Advance(length_ - position_); }
    // Runs the queued notices in order; returns how many ran.
    int DeliverNotices();
    int PendingNotices() const { return static_cast<int>(pending_.size()); }
    // Every command given, in order: "open a.wav", "play", "stop", "seek 100", "close".
    const std::vector<std::string>& Log() const { return log_; }
    void ClearLog() { log_.clear(); }

    void Open() override;
    void Notify(bool requested) override { notifyRequested_ = requested; }
    void Play() override;
    void Stop() override;
    void Seek(std::int64_t positionMs) override;
    std::int64_t Length() const override;
    std::int64_t Position() const override { return open_ ? position_ : 0; }
    MediaMode Mode() const override;
    NotifyResult NotifyValue() const override { return value_; }
    void Close() override;

private:
    void CheckOpen() const;
    void EndPlay(NotifyResult result);

    struct File {
        std::int64_t lengthMs;
        bool lengthKnown;
    };
    std::map<std::string, File> files_;
    std::deque<NotifyResult> pending_;
    std::vector<std::string> log_;
    bool open_ = false;
    bool playing_ = false;
    bool notifyRequested_ = false;
    std::int64_t length_ = 0;  // where the file ends, told or not
    bool lengthKnown_ = true;
    std::int64_t position_ = 0;
    NotifyResult value_ = NotifyResult::Successful;
};
