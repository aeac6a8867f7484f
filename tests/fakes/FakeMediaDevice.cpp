#include "fakes/FakeMediaDevice.h"

#include <algorithm>

#include "media/StreamText.h"

void FakeMediaDevice::CheckOpen() const {
    if (!open_)
        throw EMCIDeviceError("No MCI device open");
}

void FakeMediaDevice::EndPlay(NotifyResult result, bool joined) {
    if (playing_)
        pending_.push_back({result, joined});
    playing_ = false;
}

void FakeMediaDevice::Open() {
    if (adoptable_ && !joined_.empty() && FileName() == joined_) {
        log_.push_back("join " + FileName());
        const File& file = files_.at(joined_);
        open_ = true;
        length_ = file.lengthMs;
        lengthKnown_ = file.lengthKnown;
        position_ = std::min(joinedAt_, length_);
        sounding_ = true;
        joined_.clear();
        return;
    }
    Close();
    log_.push_back("open " + FileName());
    if (StreamText::IsStreamAddress(FileName())) {
        open_ = true;
        stream_ = true;
        doomed_ = !streams_.count(FileName());
        length_ = position_ = 0;
        lengthKnown_ = false;
        return;
    }
    const auto file = files_.find(FileName());
    if (file == files_.end())
        throw EMCIDeviceError("loading failed");
    open_ = true;
    length_ = file->second.lengthMs;
    lengthKnown_ = file->second.lengthKnown;
    position_ = 0;
}

void FakeMediaDevice::Play() {
    CheckOpen();
    log_.push_back("play");
    if (AutoRewind() && !stream_ && position_ >= length_)
        position_ = 0;
    EndPlay(NotifyResult::Superseded);
    notifyRequested_ = false;
    sounding_ = false;
    playing_ = true;
    if (doomed_)
        DropStream();
}

void FakeMediaDevice::Stop() {
    CheckOpen();
    log_.push_back("stop");
    sounding_ = false;
    EndPlay(NotifyResult::Aborted);
}

void FakeMediaDevice::Seek(std::int64_t positionMs) {
    CheckOpen();
    log_.push_back("seek " + std::to_string(positionMs));
    sounding_ = false;
    EndPlay(NotifyResult::Aborted);
    if (!stream_)
        position_ = std::min(std::max<std::int64_t>(positionMs, 0), length_);
}

std::int64_t FakeMediaDevice::Length() const {
    CheckOpen();
    return lengthKnown_ ? length_ : 0;
}

MediaMode FakeMediaDevice::Mode() const {
    if (!open_)
        return MediaMode::NotReady;
    return playing_ || sounding_ ? MediaMode::Playing : MediaMode::Stopped;
}

void FakeMediaDevice::Close() {
    queued_.clear();
    joined_.clear();
    if (!open_)
        return;
    log_.push_back("close");
    EndPlay(NotifyResult::Aborted);
    open_ = sounding_ = stream_ = doomed_ = false;
    streamTitle_.clear();
    length_ = position_ = 0;
}

void FakeMediaDevice::Queue(const std::string& fileName) {
    if (fileName == queued_)
        return;
    queued_ = fileName;
    ++queueChanges_;
}

void FakeMediaDevice::DropStream() {
    if (!open_ || !stream_)
        return;
    EndPlay(NotifyResult::Failure);
    open_ = stream_ = doomed_ = false;
    streamTitle_.clear();
}

void FakeMediaDevice::Advance(std::int64_t ms) {
    if (!playing_ || stream_)
        return;
    const std::int64_t past = position_ + ms - length_;
    position_ = std::min(position_ + ms, length_);
    if (position_ < length_)
        return;
    // Only a registered file is followed into, as the real device follows only what it opens.
    if (!queued_.empty() && files_.count(queued_)) {
        joined_ = queued_;
        joinedAt_ = past;
        queued_.clear();
        EndPlay(NotifyResult::Successful, true);
        return;
    }
    EndPlay(NotifyResult::Successful);
}

int FakeMediaDevice::DeliverNotices() {
    int delivered = 0;
    while (!pending_.empty()) {
        const Notice notice = pending_.front();
        pending_.pop_front();
        value_ = notice.result;
        ++delivered;
        adoptable_ = notice.joined;
        RaiseNotify();
        adoptable_ = false;
        if (notice.joined)
            joined_.clear();  // not taken over: the ended file stands at its end
    }
    return delivered;
}
