#include "media/MpvMediaDevice.h"

#include "media/MpvLibrary.h"

#include <malloc.h>
#include <sys/stat.h>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <string>

#include "media/StreamText.h"
#include "services/UiPost.h"

namespace {

void Check(int status) {
    if (status < 0)
        throw EMCIDeviceError(MpvLibrary::Get().errorString(status));
}

// mpv looks at every file it opens through a zeroed 10 MiB probe buffer, on a thread made for
// the opening. glibc serves a block that large from its own mapping only until the first such
// block is freed; after that it raises its threshold and keeps the block in the thread's heap,
// where the 10 MiB stay resident for good. A fixed threshold of 1 MiB hands every such block
// back as it is freed, and the heaps give back free tops above glibc's first 128 KiB again.
// The price: each opening maps and zeroes the 10 MiB afresh, about 5 ms more between two files
// that do not join (a queued file is opened while the one before still plays).
void KeepLargeBlocksMapped() {
    constexpr int mmapThresholdBytes = 1024 * 1024;
    constexpr int trimThresholdBytes = 128 * 1024;
    ::mallopt(M_MMAP_THRESHOLD, mmapThresholdBytes);
    ::mallopt(M_TRIM_THRESHOLD, trimThresholdBytes);
}

// The sound server that is there when the device starts, so that mpv opens that output for
// every file instead of trying its whole list (PipeWire first) again at each one. PulseAudio's
// socket also stands for PipeWire's PulseAudio service, which mpv then reaches the same way.
const char* SystemAudioOutput() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const auto exists = [runtime](const char* name) {
        struct stat status {};
        return runtime && ::stat((std::string(runtime) + "/" + name).c_str(), &status) == 0;
    };
    if (std::getenv("PULSE_SERVER") || exists("pulse/native"))
        return "pulse";
    if (exists("pipewire-0"))
        return "pipewire";
    return "alsa";
}

// mpv's name of a ReplayGain mode: "no" rather than the settings file's "off".
const char* MpvReplayGain(ReplayGain::Mode mode) {
    return mode == ReplayGain::Mode::Off ? "no" : ReplayGain::ModeName(mode);
}

}  // namespace

MpvMediaDevice::MpvMediaDevice(UiPost& uiPost, Output output, std::chrono::milliseconds waitLimit)
    : uiPost_(uiPost),
      waitLimit_(waitLimit),
      output_(output),
      self_(std::make_shared<MpvMediaDevice*>(this)) {}

void MpvMediaDevice::Prepare() {
    Mpv();
}

void MpvMediaDevice::ReloadAudio() {
    if (!mpv_ || output_ != Output::System)
        return;
    const char* reload[] = {"ao-reload", nullptr};
    MpvLibrary::Get().command(mpv_->get(), reload);
}

mpv_handle* MpvMediaDevice::Mpv() const {
    if (mpv_)
        return mpv_->get();
    KeepLargeBlocksMapped();
    auto handle = std::make_unique<MpvHandle>();
    mpv_handle* mpv = handle->get();
    const auto option = [mpv](const char* name, const char* value) {
        Check(MpvLibrary::Get().setOptionString(mpv, name, value));
    };
    option("config", "no");
    option("terminal", "no");
    option("idle", "yes");
    option("keep-open", "yes");
    // Off while nothing is queued: then the end of a file is reported once its sound has
    // played, not a buffer early (SyncQueue switches it).
    option("gapless-audio", "no");
    option("audio-display", "no");
    option("input-default-bindings", "no");
    option("osc", "no");
    // mpv's own scripts (each a Lua state on a thread of its own) serve its player window, not
    // a device: not loading them saves their start and some megabytes. Options an older mpv
    // does not know are passed over.
    for (const char* name :
         {"load-scripts", "ytdl", "load-stats-overlay", "load-osd-console", "load-auto-profiles"})
        MpvLibrary::Get().setOptionString(mpv, name, "no");
    if (output_ == Output::Null) {
        option("ao", "null");
        option("vo", "null");
    } else {
        option("ao", SystemAudioOutput());
        // With no sound server mpv would fail every file; play silently instead.
        option("audio-fallback-to-null", "yes");
    }
    // A server that stops answering counts as stalled after the device's wait limit.
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(waitLimit_).count();
    option("network-timeout", std::to_string(std::max<long long>(1, seconds)).c_str());
    option("replaygain", MpvReplayGain(gain_.mode));
    option("replaygain-preamp", std::to_string(gain_.preampDb).c_str());
    option("replaygain-clip", gain_.preventClipping ? "yes" : "no");
    option("pause", "yes");
    Check(MpvLibrary::Get().initialize(mpv));
    Check(MpvLibrary::Get().observeProperty(mpv, kEofReply, "eof-reached", MPV_FORMAT_FLAG));
    Check(MpvLibrary::Get().observeProperty(mpv, kMetadataReply, "metadata", MPV_FORMAT_NONE));

    // Runs on mpv's threads: post a drain of the queue and nothing else.
    MpvLibrary::Get().setWakeupCallback(
        mpv,
        [](void* context) {
            auto* device = static_cast<MpvMediaDevice*>(context);
            std::weak_ptr<MpvMediaDevice*> alive = device->self_;
            device->uiPost_.Post([alive] {
                if (auto self = alive.lock())
                    (*self)->Drain();
            });
        },
        const_cast<MpvMediaDevice*>(this));
    mpv_ = std::move(handle);
    return mpv;
}

MpvMediaDevice::~MpvMediaDevice() {
    // After this returns, mpv calls the wakeup callback no more.
    if (mpv_)
        MpvLibrary::Get().setWakeupCallback(mpv_->get(), nullptr, nullptr);
    self_.reset();
}

void MpvMediaDevice::SetReplayGain(const ReplayGain& gain) {
    gain_ = gain;
    if (!mpv_)
        return;  // the options are given when the handle is made
    const std::string preamp = std::to_string(gain.preampDb);
    const std::pair<const char*, const char*> values[] = {
        {"replaygain", MpvReplayGain(gain.mode)},
        {"replaygain-preamp", preamp.c_str()},
        {"replaygain-clip", gain.preventClipping ? "yes" : "no"}};
    for (const auto& [name, value] : values) {
        const char* text = value;
        MpvLibrary::Get().setProperty(mpv_->get(), name, MPV_FORMAT_STRING, &text);
    }
}

void MpvMediaDevice::CheckOpen() const {
    if (!open_)
        throw EMCIDeviceError("No MCI device open");
}

void MpvMediaDevice::Command(std::initializer_list<const char*> args) {
    std::vector<const char*> argv(args);
    argv.push_back(nullptr);
    Check(MpvLibrary::Get().command(Mpv(), argv.data()));
}

bool MpvMediaDevice::Flag(const char* property) const {
    int value = 0;
    if (MpvLibrary::Get().getProperty(Mpv(), property, MPV_FORMAT_FLAG, &value) < 0)
        return false;
    return value != 0;
}

double MpvMediaDevice::Seconds(const char* property) const {
    double value = 0;
    if (MpvLibrary::Get().getProperty(Mpv(), property, MPV_FORMAT_DOUBLE, &value) < 0)
        return 0;
    return value;
}

std::string MpvMediaDevice::Text(const char* property) const {
    char* value = nullptr;
    if (MpvLibrary::Get().getProperty(Mpv(), property, MPV_FORMAT_STRING, &value) < 0 || !value)
        return {};
    std::string text(value);
    MpvLibrary::Get().free(value);
    return text;
}

void MpvMediaDevice::SetPause(bool pause) {
    int value = pause ? 1 : 0;
    Check(MpvLibrary::Get().setProperty(Mpv(), "pause", MPV_FORMAT_FLAG, &value));
}

void MpvMediaDevice::PostNotice(NotifyResult result, bool joined) {
    std::weak_ptr<MpvMediaDevice*> alive = self_;
    uiPost_.Post([alive, result, joined] {
        auto self = alive.lock();
        if (!self)
            return;
        MpvMediaDevice& device = **self;
        device.value_ = result;
        device.adoptable_ = joined;
        device.RaiseNotify();
        device.adoptable_ = false;
        // The handler did not take the next file over: nothing follows.
        if (joined && device.join_ == Join::Followed)
            device.CutJoin();
    });
}

void MpvMediaDevice::EndPlay(NotifyResult result) {
    if (!playing_)
        return;
    playing_ = false;
    PostNotice(result, false);
}

void MpvMediaDevice::Load(const std::string& path) {
    SetPause(true);
    // Events of the files before must not count for this one: only those of its own entry do.
    Drain();
    Command({"loadfile", path.c_str(), "replace"});
    std::int64_t id = -1;
    MpvLibrary::Get().getProperty(Mpv(), "playlist/0/id", MPV_FORMAT_INT64, &id);
    // The device counts as open only once the file stands ready to play: a failure between the
    // load and that moment (an error, the time-out) must leave no device open.
    bool started = false;
    bool loaded = false;
    const auto deadline = std::chrono::steady_clock::now() + waitLimit_;
    while (std::chrono::steady_clock::now() < deadline) {
        const mpv_event* event = MpvLibrary::Get().waitEvent(Mpv(), 0.1);
        switch (event->event_id) {
            case MPV_EVENT_START_FILE:
                started =
                    started ||
                    static_cast<const mpv_event_start_file*>(event->data)->playlist_entry_id == id;
                break;
            case MPV_EVENT_FILE_LOADED:
                loaded = started;
                break;
            case MPV_EVENT_PLAYBACK_RESTART:
                // Loaded and standing at the start, ready to play.
                if (loaded)
                    return;
                break;
            case MPV_EVENT_END_FILE: {
                const auto* end = static_cast<const mpv_event_end_file*>(event->data);
                // An end with reason STOP belongs to the file this load replaced.
                if (end->reason == MPV_END_FILE_REASON_ERROR && end->playlist_entry_id == id)
                    throw EMCIDeviceError(end->error < 0 ? MpvLibrary::Get().errorString(end->error)
                                                         : "Unknown error code");
                break;
            }
            case MPV_EVENT_SHUTDOWN:
                throw EMCIDeviceError("Unknown error code");
            default:
                Handle(*event);
                break;
        }
    }
    // Unload what mpv may still be loading, so it cannot turn up later as an open file.
    Command({"stop"});
    throw EMCIDeviceError("Unknown error code");
}

void MpvMediaDevice::Open() {
    if (adoptable_ && join_ == Join::Followed && FileName() == joinedFile_) {
        // The file that sounds already is the one asked for: take it over where it plays.
        EndJoin();
        openFile_ = joinedFile_;
        openLengthMs_ = std::llround(Seconds("duration") * 1000.0);
        open_ = true;
        SyncQueue();  // nothing queued yet: its end waits for its sound again
        return;
    }
    Close();
    openFile_ = FileName();
    if (StreamText::IsStreamAddress(openFile_)) {
        // mpv connects on its own threads; failures arrive as the end of the file.
        SetPause(true);
        Command({"loadfile", openFile_.c_str(), "replace"});
        stream_ = true;
        retries_ = 0;
        streamStarted_.reset();
        open_ = true;
        return;
    }
    Load(openFile_);
    openLengthMs_ = std::llround(Seconds("duration") * 1000.0);
    open_ = true;
    SyncQueue();
}

void MpvMediaDevice::Play() {
    CheckOpen();
    if (join_ == Join::Held) {
        // The open file stands at its end while mpv holds the next one: load it again.
        EndJoin();
        Load(openFile_);
        SyncQueue();
        if (!AutoRewind())
            Seek(openLengthMs_);
    }
    // mpv reads 0 for a length it cannot tell (a stream, a file cut short); such a file is at its
    // end only when mpv says so, and must continue where it stopped. A stream has no start to
    // go back to.
    const std::int64_t length = Length();
    if (!stream_ && AutoRewind() && (Flag("eof-reached") || (length > 0 && Position() >= length)))
        Seek(0);
    EndPlay(NotifyResult::Superseded);
    notifyRequested_ = false;
    standing_.reset();
    playing_ = true;
    SetPause(false);
}

void MpvMediaDevice::Stop() {
    CheckOpen();
    CutJoin();
    SetPause(true);
    EndPlay(NotifyResult::Aborted);
}

void MpvMediaDevice::Seek(std::int64_t positionMs) {
    CheckOpen();
    EndPlay(NotifyResult::Aborted);
    if (join_ != Join::None) {
        EndJoin();
        Load(openFile_);
        SyncQueue();
    }
    SetPause(true);
    if (stream_)
        return;  // a stream stands where it is
    // Handle what is queued first, so the restart awaited below is this seek's own.
    Drain();
    const std::string seconds = std::to_string(static_cast<double>(positionMs) / 1000.0);
    Command({"seek", seconds.c_str(), "absolute+exact"});
    // Return once mpv stands at the position: the seek ends with a playback restart.
    const auto deadline = std::chrono::steady_clock::now() + waitLimit_;
    while (std::chrono::steady_clock::now() < deadline) {
        const mpv_event* event = MpvLibrary::Get().waitEvent(Mpv(), 0.1);
        if (event->event_id == MPV_EVENT_PLAYBACK_RESTART ||
            (event->event_id == MPV_EVENT_NONE && !Flag("seeking"))) {
            standing_ = std::clamp<std::int64_t>(positionMs, 0, Length());
            return;
        }
        Handle(*event);
        if (!open_)
            return;
    }
}

std::int64_t MpvMediaDevice::Length() const {
    CheckOpen();
    if (stream_)
        return 0;
    if (join_ != Join::None)
        return openLengthMs_;
    return std::llround(Seconds("duration") * 1000.0);
}

std::int64_t MpvMediaDevice::Position() const {
    if (!open_)
        return 0;
    if (join_ == Join::Overhang) {
        // The next file's time-pos counts up from minus the sound still to come.
        const std::int64_t ahead = std::llround(Seconds("time-pos") * 1000.0);
        return std::clamp<std::int64_t>(openLengthMs_ + std::min<std::int64_t>(ahead, 0), 0,
                                        openLengthMs_);
    }
    if (join_ != Join::None)
        return openLengthMs_;
    if (standing_)
        return *standing_;
    return std::llround(Seconds("time-pos") * 1000.0);
}

MediaMode MpvMediaDevice::Mode() const {
    if (!open_)
        return MediaMode::NotReady;
    if (join_ == Join::Held)
        return MediaMode::Stopped;
    if (join_ == Join::None && Flag("seeking"))
        return MediaMode::Seeking;
    if (Flag("pause") || (join_ == Join::None && Flag("eof-reached")))
        return MediaMode::Stopped;
    return MediaMode::Playing;
}

void MpvMediaDevice::Close() {
    queued_.clear();
    if (!open_)
        return;
    EndPlay(NotifyResult::Aborted);
    EndJoin();
    open_ = false;
    stream_ = false;
    streamTitle_.clear();
    standing_.reset();
    queuedInMpv_ = false;
    appended_.clear();
    Command({"stop"});
}
