#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "media/MediaDevice.h"
#include "media/MpvHandle.h"
#include "media/ReplayGain.h"

class UiPost;
struct mpv_event;
struct mpv_handle;

// The media device on libmpv. One handle for the life of the object, kept idle between files.
// Files load paused (keep-open, so the end of a file leaves it open and stopped at its end).
// libmpv's wakeup callback runs on mpv's threads and only posts a drain of the event queue to
// the user-interface thread; completion notices are posted the same way, so OnNotify never runs
// inside a command. Open and Seek of a file block the user-interface thread until mpv has done
// them (a local file loads in milliseconds); a stream opens without waiting.
//
// Joins use mpv's own play list: the queued file is appended behind the open one, with gapless
// audio on, so mpv decodes it on while the open file's last sound still plays and the audio
// output stays open. mpv moves to the queued file when the open one's decoding ends, about a
// buffer (0.2 to 0.4 s) before its sound ends; its time-pos reads below zero until the new
// file's own sound starts, which is when the join's notice is posted.
class MpvMediaDevice final : public MediaDevice {
public:
    enum class Output {
        System,  // the sound server found at the first use; video in mpv's own window
        Null,    // no sound, no window: for tests
    };

    // waitLimit: how long Open and Seek wait for mpv before giving up, and how long a stream
    // may stay silent before it counts as stalled. A local file answers in milliseconds; the
    // limit only keeps a hung file system or a stalled stream from freezing the window for
    // good. libmpv is opened and its handle made at the first command that needs them, or at
    // Prepare: not while the program starts.
    MpvMediaDevice(UiPost& uiPost, Output output,
                   std::chrono::milliseconds waitLimit = std::chrono::seconds(20));
    ~MpvMediaDevice() override;

    // Opens libmpv and makes the handle now, if not done yet (the program calls it once its
    // window has shown). Throws EMCIDeviceError when libmpv cannot be used.
    void Prepare();
    // Applies to the files opened from now on (and to the open one where mpv can). Never throws.
    void SetReplayGain(const ReplayGain& gain);
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
    void Queue(const std::string& fileName) override;
    std::string StreamTitle() const override { return streamTitle_; }

    // How many times a dropped stream is connected again before its play fails.
    static constexpr int StreamRetries = 3;

private:
    // Reply ids of the observed properties.
    static constexpr std::uint64_t kEofReply = 0;
    static constexpr std::uint64_t kJoinTimeReply = 1;  // time-pos, only while a join overhangs
    static constexpr std::uint64_t kMetadataReply = 2;

    // Where a join stands. None: mpv plays the open file. Overhang: mpv has moved to the queued
    // file while the open one's last sound plays. Followed: the queued file sounds and the
    // notice is on its way. Held: mpv holds the queued file paused while the device reads as
    // standing at the end of the open one; a Play or Seek loads the open file again.
    enum class Join { None, Overhang, Followed, Held };

    void CheckOpen() const;
    // The handle, made and configured on the first call.
    mpv_handle* Mpv() const;
    // Ends the outstanding play, if any, with the given result (delivered later).
    void EndPlay(NotifyResult result);
    void PostNotice(NotifyResult result, bool joined);
    void Drain();
    void Handle(const mpv_event& event);
    void HandleEndOfStream();
    void Command(std::initializer_list<const char*> args);
    bool Flag(const char* property) const;
    double Seconds(const char* property) const;
    std::string Text(const char* property) const;
    void SetPause(bool pause);
    // Loads path in place of everything and waits until it stands ready at its start, paused.
    void Load(const std::string& path);
    // Puts mpv's play list in step with queued_: the open file, then the queued one if any.
    void SyncQueue();
    // A join that has begun is cut: the open file stands at its end, stopped.
    void CutJoin();
    void EndJoin();
    // Whether the joined file's own sound has started, looking again later when not.
    void CheckJoinSound();
    // The joined file's own sound has started: the ended play's notice goes out.
    void SoundOfJoinStarted();

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

    std::string openFile_;           // what the device has open, whatever FileName says now
    std::int64_t openLengthMs_ = 0;  // its length, read when it opened
    bool stream_ = false;            // the open file is a stream
    int retries_ = 0;                // reconnections of the open stream since it last played on
    // When the stream's current connection began to sound; empty while it has not.
    std::optional<std::chrono::steady_clock::time_point> streamStarted_;
    std::string queued_;        // the name the player queued
    bool queuedInMpv_ = false;  // queued_ stands behind the open file in mpv's play list
    // mpv's play list ids of the files appended behind the open one, with their names.
    std::vector<std::pair<std::int64_t, std::string>> appended_;
    Join join_ = Join::None;
    std::string joinedFile_;  // the queued file mpv moved to
    bool adoptable_ = false;  // inside the handler of a join's notice
    bool restarted_ = false;  // the joined file has had its playback restart
    std::string streamTitle_;
    ReplayGain gain_;
};
