#include "fakes/FakeMediaDevice.h"

void FakeMediaDevice::CheckOpen() const {
    if (!open_)
        throw EMCIDeviceError("No MCI device open");
}

void FakeMediaDevice::EndPlay(NotifyResult result) {
    if (playing_)
        pending_.push_back(result);
    playing_ = false;
}

void FakeMediaDevice::Open() {
    Close();
    log_.push_back("open " + FileName());
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
    if (AutoRewind() && position_ >= length_)
        position_ = 0;
    EndPlay(NotifyResult::Superseded);
    notifyRequested_ = false;
    playing_ = true;
}

void FakeMediaDevice::Stop() {
    CheckOpen();
    log_.push_back("stop");
    EndPlay(NotifyResult::Aborted);
}

void FakeMediaDevice::Seek(std::int64_t positionMs) {
    CheckOpen();
    log_.push_back("seek " + std::to_string(positionMs));
    EndPlay(NotifyResult::Aborted);
    position_ = std::min(std::max<std::int64_t>(positionMs, 0), length_);
}

std::int64_t FakeMediaDevice::Length() const {
    CheckOpen();
    return lengthKnown_ ? length_ : 0;
}

MediaMode FakeMediaDevice::Mode() const {
    if (!open_)
        return MediaMode::NotReady;
    return playing_ ? MediaMode::Playing : MediaMode::Stopped;
}

void FakeMediaDevice::Close() {
    if (!open_)
        return;
    log_.push_back("close");
    EndPlay(NotifyResult::Aborted);
    open_ = false;
    length_ = position_ = 0;
}

void FakeMediaDevice::Advance(std::int64_t ms) {
    if (!playing_)
        return;
    position_ = std::min(position_ + ms, length_);
    if (position_ >= length_)
        EndPlay(NotifyResult::Successful);
}

int FakeMediaDevice::DeliverNotices() {
    int delivered = 0;
    while (!pending_.empty()) {
        value_ = pending_.front();
        pending_.pop_front();
        ++delivered;
        RaiseNotify();
    }
    return delivered;
}
