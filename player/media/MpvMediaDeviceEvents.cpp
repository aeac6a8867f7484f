// The media device's side of mpv's events: what comes next (the queue and the joins through
// mpv's play list), the end of a file or of a stream, a stream's titles.
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>

#include "media/MpvLibrary.h"
#include "media/MpvMediaDevice.h"
#include "media/StreamText.h"

namespace {

// A stream connection that played this long counts as sound again: its drop starts the count
// of reconnections from the beginning.
constexpr auto kStreamPlayedOn = std::chrono::seconds(10);

}  // namespace

void MpvMediaDevice::Queue(const std::string& fileName) {
    if (fileName == queued_)
        return;
    queued_ = fileName;
    if (join_ == Join::None)
        SyncQueue();
}

void MpvMediaDevice::SyncQueue() {
    if (!open_)
        return;
    // A switch mpv has made but not yet told of must be known before its play list is touched.
    Drain();
    if (join_ != Join::None || !open_)
        return;
    try {
        // Everything but the file that plays goes: the entry mpv left behind at a join too.
        Command({"playlist-clear"});
        queuedInMpv_ = false;
        appended_.clear();
        const bool follow = !queued_.empty() && !stream_ && !StreamText::IsStreamAddress(queued_);
        if (follow) {
            Command({"loadfile", queued_.c_str(), "append"});
            std::int64_t count = 0;
            MpvLibrary::Get().getProperty(Mpv(), "playlist-count", MPV_FORMAT_INT64, &count);
            const std::string last = "playlist/" + std::to_string(count - 1) + "/id";
            std::int64_t id = -1;
            MpvLibrary::Get().getProperty(Mpv(), last.c_str(), MPV_FORMAT_INT64, &id);
            appended_.emplace_back(id, queued_);
            queuedInMpv_ = true;
        }
        const char* gapless = follow ? "weak" : "no";
        MpvLibrary::Get().setProperty(Mpv(), "gapless-audio", MPV_FORMAT_STRING, &gapless);
    } catch (const EMCIDeviceError&) {
        // Nothing follows then: the open file ends as if nothing were queued.
        queuedInMpv_ = false;
    }
}

void MpvMediaDevice::CutJoin() {
    if (join_ != Join::Overhang && join_ != Join::Followed)
        return;
    EndJoin();
    join_ = Join::Held;
    SetPause(true);
}

void MpvMediaDevice::EndJoin() {
    if (join_ == Join::Overhang && mpv_)
        MpvLibrary::Get().unobserveProperty(mpv_->get(), kJoinTimeReply);
    join_ = Join::None;
    restarted_ = false;
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

void MpvMediaDevice::CheckJoinSound() {
    if (join_ != Join::Overhang || !restarted_)
        return;
    const double ahead = -Seconds("time-pos");
    if (ahead <= 0) {
        SoundOfJoinStarted();
        return;
    }
    // mpv tells time-pos only when it writes sound, and the last of a short file may already be
    // written: look again when the sound still to come should have played.
    std::weak_ptr<MpvMediaDevice*> alive = self_;
    QTimer::singleShot(static_cast<int>(std::ceil(ahead * 1000.0)) + 2, [alive] {
        if (auto self = alive.lock())
            (*self)->CheckJoinSound();
    });
}

void MpvMediaDevice::SoundOfJoinStarted() {
    MpvLibrary::Get().unobserveProperty(Mpv(), kJoinTimeReply);
    join_ = Join::Followed;
    if (playing_) {
        playing_ = false;
        PostNotice(NotifyResult::Successful, true);
    }
}

void MpvMediaDevice::HandleEndOfStream() {
    const auto now = std::chrono::steady_clock::now();
    if (streamStarted_ && now - *streamStarted_ >= kStreamPlayedOn)
        retries_ = 0;
    // Only a stream that has sounded is connected again: one that never answered has failed.
    if (playing_ && streamStarted_ && retries_ < StreamRetries) {
        ++retries_;
        streamStarted_.reset();
        Command({"loadfile", openFile_.c_str(), "replace"});
        SetPause(false);  // the end paused it
        return;
    }
    open_ = false;
    stream_ = false;
    Command({"stop"});
    EndPlay(NotifyResult::Failure);
}

void MpvMediaDevice::Handle(const mpv_event& event) {
    switch (event.event_id) {
        case MPV_EVENT_PROPERTY_CHANGE: {
            const auto* change = static_cast<const mpv_event_property*>(event.data);
            if (event.reply_userdata == kEofReply) {
                // The event may be older than the last command: trust only the live value.
                if (playing_ && join_ == Join::None && Flag("eof-reached")) {
                    if (stream_)
                        HandleEndOfStream();
                    else
                        EndPlay(NotifyResult::Successful);
                }
            } else if (event.reply_userdata == kJoinTimeReply) {
                if (join_ == Join::Overhang && restarted_ && change->format == MPV_FORMAT_DOUBLE &&
                    *static_cast<const double*>(change->data) >= 0)
                    SoundOfJoinStarted();
            } else if (event.reply_userdata == kMetadataReply && stream_) {
                streamTitle_ = StreamText::StationAndTitle(Text("metadata/by-key/icy-name"),
                                                           Text("metadata/by-key/icy-title"),
                                                           StreamTitleLimit);
            }
            break;
        }
        case MPV_EVENT_START_FILE: {
            const auto* start = static_cast<const mpv_event_start_file*>(event.data);
            const auto queued = std::find_if(
                appended_.begin(), appended_.end(),
                [start](const auto& entry) { return entry.first == start->playlist_entry_id; });
            if (queued == appended_.end() || !open_ || join_ != Join::None)
                break;
            // mpv has moved on to the queued file; the open one's last sound still plays.
            join_ = Join::Overhang;
            joinedFile_ = queued->second;
            appended_.clear();
            queued_.clear();
            queuedInMpv_ = false;
            restarted_ = false;
            MpvLibrary::Get().observeProperty(Mpv(), kJoinTimeReply, "time-pos", MPV_FORMAT_DOUBLE);
            break;
        }
        case MPV_EVENT_PLAYBACK_RESTART:
            if (join_ == Join::Overhang) {
                restarted_ = true;
                CheckJoinSound();
            } else if (stream_ && !streamStarted_) {
                streamStarted_ = std::chrono::steady_clock::now();
            }
            break;
        case MPV_EVENT_END_FILE: {
            const auto* end = static_cast<const mpv_event_end_file*>(event.data);
            if (end->reason != MPV_END_FILE_REASON_ERROR || !open_)
                break;
            if (join_ == Join::Overhang) {
                // The next file broke while loading; the open one did play to its end.
                EndJoin();
                join_ = Join::Held;
                EndPlay(NotifyResult::Successful);
            } else if (join_ == Join::None && stream_) {
                HandleEndOfStream();
            } else if (join_ == Join::None) {
                // A file that breaks while playing is unloaded by mpv: nothing is open any more,
                // and mpv must not move on to the queued file by itself.
                open_ = false;
                queuedInMpv_ = false;
                appended_.clear();
                Command({"stop"});
                EndPlay(NotifyResult::Failure);
            }
            break;
        }
        default:
            break;
    }
}
