#pragma once

#include <cstddef>
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

// MediaDevice: one media file at a time, opened by name, played in the background, and the
// file to follow it without a break.
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
//
// Joins. The player, not the device, decides what follows: after each play it starts, and
// whenever what comes next changes, it names the next file with Queue (empty: nothing). The
// device keeps that one name and may prepare the file in the background; it never opens,
// plays or notifies anything of its own accord otherwise. When the open file plays to its end
// and the device has followed into the queued file with no silence between them:
//   - the Successful notice of the ended play comes when the queued file's sound starts, not
//     when the device starts decoding it; until then the ended file reads as playing near its
//     end (Mode, Position and Length are still its own);
//   - inside that notice's handler, an Open of the queued name takes over the file that sounds:
//     it returns at once with the file playing near its start and reloads nothing, and the Play
//     that follows makes it the outstanding play. Any other Open replaces it as always; a
//     handler that opens nothing leaves the device stopped at the end of the ended file, as if
//     nothing had been queued.
// A Stop, Seek, Close or Open cuts a join that has begun: the ended file counts as standing at
// its end. A queued file that cannot be followed into (missing, unreadable, a stream) is not
// followed: the open file ends as it would with nothing queued, and its Open later fails or
// succeeds as any open. Open and Close empty the queue. Queue never throws.
// A fake must behave the same from outside: hold the queued name, give the Successful notice
// at the end, and let an Open of the queued name inside the handler continue the next file
// with the time that ran past the end already played.
//
// Streams. A FileName that is an http:// or https:// address opens without waiting: Open
// returns at once, Length is 0, and the play connects in the background; a stream that cannot
// be reached, stalls or drops for good ends its play with Failure and leaves no device open.
// StreamTitle gives what the stream says it plays.
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
    // The file to follow the open one without a break (see Joins); empty for none. A name
    // already queued costs nothing.
    virtual void Queue(const std::string& fileName) = 0;
    // "Station - Current title" as the open stream tells it, or the one of them it tells;
    // empty for a file or a stream that tells nothing. Valid UTF-8 without control characters,
    // at most StreamTitleLimit bytes, whatever the stream sent.
    virtual std::string StreamTitle() const = 0;

    static constexpr std::size_t StreamTitleLimit = 200;

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
