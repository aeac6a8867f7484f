#pragma once

#include <cstdint>
#include <string>

#include "media/MediaDevice.h"

// A media device that passes every command on to another one and keeps what the media
// interface needs to know: which file is really open and how many opens have happened.
// FileName alone cannot tell: the program sets it before an open, and also while a file plays
// (a drop names its first file, the explorer's add buttons clear it), so it may name a file
// that is not the one sounding. Every successful open is a new track, even of the same file.
//
// Same thread, units and errors as the device it wraps; it adds no error of its own. The
// wrapped device must outlive this one, which takes its notice handler over for its life.
class TrackedMediaDevice final : public MediaDevice {
public:
    explicit TrackedMediaDevice(MediaDevice& device);
    ~TrackedMediaDevice() override;
    TrackedMediaDevice(const TrackedMediaDevice&) = delete;
    TrackedMediaDevice& operator=(const TrackedMediaDevice&) = delete;

    // The file of the last successful open; empty while no file is open.
    const std::string& OpenFile() const { return openFile_; }
    // Counts the successful opens from 1; 0 before the first.
    std::uint64_t OpenCount() const { return openCount_; }

    void Open() override;
    void Notify(bool requested) override;
    void Play() override;
    void Stop() override;
    void Seek(std::int64_t positionMs) override;
    std::int64_t Length() const override;
    std::int64_t Position() const override;
    MediaMode Mode() const override;
    NotifyResult NotifyValue() const override;
    void Close() override;
    void Queue(const std::string& fileName) override;
    std::string StreamTitle() const override;

private:
    MediaDevice& device_;
    std::string openFile_;
    std::uint64_t openCount_ = 0;
};
