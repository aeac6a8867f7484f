#pragma once

#include <chrono>
#include <memory>
#include <optional>

#include "media/MediaDevice.h"
#include "media/MpvHandle.h"

class UiPost;
struct mpv_event;
struct mpv_handle;

// The media device on libmpv. One handle for the life of the object, kept idle between files.
// Files load paused (keep-open, so the end of a file leaves it open and stopped at its end).
// libmpv's wakeup callback runs on mpv's threads and only posts a drain of the event queue to
// the user-interface thread; completion notices are posted the same way, so OnNotify never runs
// inside a command. Open and Seek block the user-interface thread until mpv has done them (a
// local file loads in milliseconds).
class MpvMediaDevice final : public MediaDevice {
public:
    enum class Output {
        System,  // PulseAudio or PipeWire, falling back to no sound; video in mpv's own window
        Null,    // no sound, no window: for tests
    };

    // waitLimit: how long Open and Seek wait for mpv before giving up. A local file answers in
    // milliseconds; the limit only keeps a hung file system or a stalled stream from freezing
    // the window for good. libmpv is opened and its handle made at the first command that needs
    // them, or at Prepare: not while the program starts.
    MpvMediaDevice(UiPost& uiPost, Output output,
                   std::chrono::milliseconds waitLimit = std::chrono::seconds(20));
    ~MpvMediaDevice() override;

    // Opens libmpv and makes the handle now, if not done yet (the program calls it once its
    // window has shown). Throws EMCIDeviceError when libmpv cannot be used.
    void Prepare();
    // Opens the sound output again, for a sound server that has come back: mpv fell back to no
    // sound when it went, and the file plays on silently otherwise. The file stays where it
    // stands. Nothing before libmpv is in use; a failure is passed over.
    void ReloadAudio();

    void Open() override;
    void Notify(bool requested) override { notifyRequested_ = requested; }
    void Play() override;
    void Stop() override;
    void Seek(std::int64_t positionMs) override;
    std::int64_t Length() const override;
    std::int64_t Position() const override;
    MediaMode Mode() const override;
    NotifyResult NotifyValue() const override { return value_; }
    void Close() override;

private:
    void CheckOpen() const;
    // The handle, made and configured on the first call.
    mpv_handle* Mpv() const;
    // Ends the outstanding play, if any, with the given result (delivered later).
    void EndPlay(NotifyResult result);
    void PostNotice(NotifyResult result);
    void Drain();
    void Handle(const mpv_event& event);
    void Command(std::initializer_list<const char*> args);
    bool Flag(const char* property) const;
    double Seconds(const char* property) const;
    void SetPause(bool pause);

    UiPost& uiPost_;
    std::chrono::milliseconds waitLimit_;
    Output output_;
    mutable std::unique_ptr<MpvHandle> mpv_;
    // Queued calls check this before touching the device, which may be gone by then.
    std::shared_ptr<MpvMediaDevice*> self_;
    bool open_ = false;
    bool playing_ = false;  // a play is outstanding: its notice has not been decided
    bool notifyRequested_ = false;
    // Where a seek left the paused device. While paused after a seek, mpv reports its position
    // less the audio still buffered, up to 0.2 s short of where playing will continue.
    std::optional<std::int64_t> standing_;
    NotifyResult value_ = NotifyResult::Successful;
};
