#include "media/MpvMediaDevice.h"

#include "media/MpvLibrary.h"

#include <malloc.h>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>

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
// (12 against 7 ms of silence on the development machine).
void KeepLargeBlocksMapped() {
    constexpr int mmapThresholdBytes = 1024 * 1024;
    constexpr int trimThresholdBytes = 128 * 1024;
    ::mallopt(M_MMAP_THRESHOLD, mmapThresholdBytes);
    ::mallopt(M_TRIM_THRESHOLD, trimThresholdBytes);
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
    // Without this the end arrives about 0.3 s before the buffered audio has played.
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
        // With no sound server mpv would fail every file; play silently instead.
        option("audio-fallback-to-null", "yes");
    }
    option("pause", "yes");
    Check(MpvLibrary::Get().initialize(mpv));
    Check(MpvLibrary::Get().observeProperty(mpv, 0, "eof-reached", MPV_FORMAT_FLAG));

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

void MpvMediaDevice::SetPause(bool pause) {
    int value = pause ? 1 : 0;
    Check(MpvLibrary::Get().setProperty(Mpv(), "pause", MPV_FORMAT_FLAG, &value));
}

void MpvMediaDevice::PostNotice(NotifyResult result) {
    std::weak_ptr<MpvMediaDevice*> alive = self_;
    uiPost_.Post([alive, result] {
        if (auto self = alive.lock()) {
            (*self)->value_ = result;
            (*self)->RaiseNotify();
        }
    });
}

void MpvMediaDevice::EndPlay(NotifyResult result) {
    if (!playing_)
        return;
    playing_ = false;
    PostNotice(result);
}

void MpvMediaDevice::Open() {
    Close();
    SetPause(true);
    Command({"loadfile", FileName().c_str(), "replace"});
    // The device counts as open only once the file stands ready to play: a failure between the
    // load and that moment (an error, the time-out) must leave no device open.
    bool loaded = false;
    const auto deadline = std::chrono::steady_clock::now() + waitLimit_;
    while (std::chrono::steady_clock::now() < deadline) {
        const mpv_event* event = MpvLibrary::Get().waitEvent(Mpv(), 0.1);
        switch (event->event_id) {
            case MPV_EVENT_FILE_LOADED:
                loaded = true;
                break;
            case MPV_EVENT_PLAYBACK_RESTART:
                // Loaded and standing at the start, ready to play.
                if (loaded) {
                    open_ = true;
                    return;
                }
                break;
            case MPV_EVENT_END_FILE: {
                const auto* end = static_cast<const mpv_event_end_file*>(event->data);
                // An end with reason STOP belongs to the file this open replaced.
                if (end->reason == MPV_END_FILE_REASON_ERROR)
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

void MpvMediaDevice::Play() {
    CheckOpen();
    // mpv reads 0 for a length it cannot tell (a stream, a file cut short); such a file is at its
    // end only when mpv says so, and must continue where it stopped.
    const std::int64_t length = Length();
    if (AutoRewind() && (Flag("eof-reached") || (length > 0 && Position() >= length)))
        Seek(0);
    EndPlay(NotifyResult::Superseded);
    notifyRequested_ = false;
    standing_.reset();
    playing_ = true;
    SetPause(false);
}

void MpvMediaDevice::Stop() {
    CheckOpen();
    SetPause(true);
    EndPlay(NotifyResult::Aborted);
}

void MpvMediaDevice::Seek(std::int64_t positionMs) {
    CheckOpen();
    EndPlay(NotifyResult::Aborted);
    SetPause(true);
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
    return std::llround(Seconds("duration") * 1000.0);
}

std::int64_t MpvMediaDevice::Position() const {
    if (!open_)
        return 0;
    if (standing_)
        return *standing_;
    return std::llround(Seconds("time-pos") * 1000.0);
}

MediaMode MpvMediaDevice::Mode() const {
    if (!open_)
        return MediaMode::NotReady;
    if (Flag("seeking"))
        return MediaMode::Seeking;
    if (Flag("pause") || Flag("eof-reached"))
        return MediaMode::Stopped;
    return MediaMode::Playing;
}

void MpvMediaDevice::Close() {
    if (!open_)
        return;
    EndPlay(NotifyResult::Aborted);
    open_ = false;
    standing_.reset();
    Command({"stop"});
}

void MpvMediaDevice::Drain() {
    if (!mpv_)
        return;
    for (;;) {
        const mpv_event* event = MpvLibrary::Get().waitEvent(Mpv(), 0);
        if (event->event_id == MPV_EVENT_NONE)
            return;
        Handle(*event);
    }
}

void MpvMediaDevice::Handle(const mpv_event& event) {
    switch (event.event_id) {
        case MPV_EVENT_PROPERTY_CHANGE: {
            const auto* change = static_cast<const mpv_event_property*>(event.data);
            // The event may be older than the last command: trust only the live value.
            if (std::string(change->name) == "eof-reached" && playing_ && Flag("eof-reached"))
                EndPlay(NotifyResult::Successful);
            break;
        }
        case MPV_EVENT_END_FILE: {
            const auto* end = static_cast<const mpv_event_end_file*>(event.data);
            // A file that breaks while playing is unloaded by mpv: nothing is open any more.
            if (end->reason == MPV_END_FILE_REASON_ERROR && open_) {
                open_ = false;
                EndPlay(NotifyResult::Failure);
            }
            break;
        }
        default:
            break;
    }
}
