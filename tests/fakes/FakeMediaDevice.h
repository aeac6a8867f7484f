#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "media/MediaDevice.h"

// A media device without sound, driven by the test: files are "openable" when registered with
// a length; time moves only when the test says so. Notices wait in a queue until the test
// delivers them, as the real device delivers them later through the event loop. A queued file
// that is registered is followed into at the end, as the real device joins files.
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
    // A stream address that connects; any other address opens and then fails once played.
    void AddStream(const std::string& address) { streams_[address] = true; }
    // The open stream tells what it plays now; the text is given as the device would clean it.
    void SetStreamTitle(std::string title) { streamTitle_ = std::move(title); }
    // The open stream is lost for good: its play ends with Failure and nothing is open.
    void DropStream();
    // Moves the position of a playing file on; reaching the end queues a successful notice,
    // and the time past the end plays on in the queued file if there is one.
    void Advance(std::int64_t ms);
    void PlayToEnd() { Advance(length_ - position_); }
    // Runs the queued notices in order; returns how many ran.
    int DeliverNotices();
    int PendingNotices() const { return static_cast<int>(pending_.size()); }
    // Every command given, in order: "open a.wav", "join b.wav" (an open that took over the
    // joined file), "play", "stop", "seek 100", "close". Queue is not logged: see Queued.
    const std::vector<std::string>& Log() const { return log_; }
    void ClearLog() { log_.clear(); }
    // The name the player queued last (empty for none), and how many times it changed.
    const std::string& Queued() const { return queued_; }
    int QueueChanges() const { return queueChanges_; }

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
    void Queue(const std::string& fileName) override;
    std::string StreamTitle() const override { return open_ ? streamTitle_ : std::string(); }

private:
    void CheckOpen() const;
    void EndPlay(NotifyResult result, bool joined = false);

    struct File {
        std::int64_t lengthMs;
        bool lengthKnown;
    };
    struct Notice {
        NotifyResult result;
        bool joined;
    };
    std::map<std::string, File> files_;
    std::map<std::string, bool> streams_;
    std::deque<Notice> pending_;
    std::vector<std::string> log_;
    bool open_ = false;
    bool playing_ = false;
    bool sounding_ = false;  // a joined file taken over plays before its Play
    bool notifyRequested_ = false;
    std::int64_t length_ = 0;  // where the file ends, told or not
    bool lengthKnown_ = true;
    std::int64_t position_ = 0;
    bool stream_ = false;
    bool doomed_ = false;  // an address that fails once it plays
    std::string streamTitle_;
    std::string queued_;
    int queueChanges_ = 0;
    std::string joined_;  // the file followed into, until taken over or given up
    std::int64_t joinedAt_ = 0;
    bool adoptable_ = false;
    NotifyResult value_ = NotifyResult::Successful;
};
