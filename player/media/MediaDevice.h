#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

// Raised by the media device: an open that failed (with the device's own text) or a command
// given with no device open ("No MCI device open").
class EMCIDeviceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The device's modes, as the player reads them. Only NotReady, Stopped, Playing and Seeking
// are produced; the others keep their numbers for the tray's mode names.
enum class MediaMode {
    NotReady = 0,
    Stopped = 1,
    Playing = 2,
    Recording = 3,
    Seeking = 4,
    Paused = 5,
    Open = 6
};

// How a play that asked for notification ended.
enum class NotifyResult { Successful = 0, Superseded = 1, Aborted = 2, Failure = 3 };

// MediaDevice: one media file at a time, opened by name, played in the background.
//
// Time unit: milliseconds, for both length and position.
// Thread: the user-interface thread only. Every command but Play is synchronous and returns
// when the device has carried it out. Play returns at once; when a play ends, a completion
// notice stores its result (NotifyValue) and calls the OnNotify handler, later, on the
// user-interface thread, never inside another command of the device.
// Which notices come: a play that runs to its end gives Successful; Stop, Seek, Close or a new
// Open during a play give Aborted for it; a second Play during a play gives Superseded for the
// first.
// Errors: Open throws EMCIDeviceError with the device's text and leaves no device open; Play,
// Stop, Seek and Length throw EMCIDeviceError("No MCI device open") when no device is open.
class MediaDevice {
public:
    virtual ~MediaDevice() = default;

    void SetFileName(std::string fileName) { fileName_ = std::move(fileName); }
    const std::string& FileName() const { return fileName_; }
    void SetOnNotify(std::function<void()> handler) { onNotify_ = std::move(handler); }
    // A play given at the very end of the file first goes back to the start.
    void SetAutoRewind(bool autoRewind) { autoRewind_ = autoRewind; }
    bool AutoRewind() const { return autoRewind_; }

    // Closes what is open, then opens FileName paused at its start.
    virtual void Open() = 0;
    // Marks the next command to report its end; a play always reports it anyway.
    virtual void Notify(bool requested) = 0;
    virtual void Play() = 0;
    // Pauses at the current position; a later Play continues from there.
    virtual void Stop() = 0;
    // Stands at the position, not playing, when it returns.
    virtual void Seek(std::int64_t positionMs) = 0;
    virtual std::int64_t Length() const = 0;
    // 0 when no device is open.
    virtual std::int64_t Position() const = 0;
    // NotReady when no device is open.
    virtual MediaMode Mode() const = 0;
    // The result of the notice being handled.
    virtual NotifyResult NotifyValue() const = 0;
    // Unloads the file; does nothing when none is open.
    virtual void Close() = 0;

protected:
    void RaiseNotify() const {
        if (onNotify_)
            onNotify_();
    }

private:
    std::string fileName_;
    std::function<void()> onNotify_;
    bool autoRewind_ = true;
};
