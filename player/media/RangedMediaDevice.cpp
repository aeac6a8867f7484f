#include "media/RangedMediaDevice.h"

#include <algorithm>
#include <optional>

#include "playlist/TrackPath.h"
#include "services/OneShotTimer.h"

namespace {

// A part ending this close to its file's end ends with the file: the device tells that end
// exactly, and the timer's and the device's ends must never both count.
constexpr std::int64_t EndMarginMs = 50;

}  // namespace

RangedMediaDevice::RangedMediaDevice(MediaDevice& device, OneShotTimer& timer)
    : device_(device), timer_(timer) {
    device_.SetOnNotify([this] { DeviceNotice(); });
}

RangedMediaDevice::~RangedMediaDevice() {
    timer_.Cancel();
    device_.SetOnNotify({});
}

void RangedMediaDevice::EndingDevicePlay() {
    timer_.Cancel();
    playing_ = false;
    if (ranOn_) {
        ranOn_ = false;
        ++unowed_;
    }
}

void RangedMediaDevice::Open() {
    const std::optional<TrackPart> part = PartPlayedBy(FileName());
    // The next track of the album, opened by the handler of the last one's end: it is playing.
    if (inEndNotice_ && ranOn_ && ranged_ && part && part->File == file_ && part->StartMs == end_ &&
        device_.Mode() == MediaMode::Playing) {
        start_ = part->StartMs;
        end_ = part->EndMs;
        ranOn_ = false;
        carriedOn_ = true;
        return;
    }
    EndingDevicePlay();
    carriedOn_ = false;
    ranged_ = false;
    file_.clear();
    device_.SetFileName(part ? part->File : FileName());
    device_.Open();
    if (!part)
        return;
    const std::int64_t fileLength = device_.Length();
    if (fileLength > 0 && part->StartMs >= fileLength) {
        device_.Close();
        throw EMCIDeviceError(StartsPastEnd);
    }
    ranged_ = true;
    file_ = part->File;
    start_ = part->StartMs;
    end_ = part->EndMs;
    if (start_ > 0)
        device_.Seek(start_);
}

void RangedMediaDevice::Notify(bool requested) {
    device_.Notify(requested);
}

void RangedMediaDevice::Play() {
    if (!ranged_) {
        device_.SetAutoRewind(AutoRewind());
        device_.Play();
        return;
    }
    if (carriedOn_ && device_.Mode() == MediaMode::Playing) {
        carriedOn_ = false;
        playing_ = true;
        Arm();
        return;
    }
    carriedOn_ = false;
    // A play at the part's end goes back to the part's start, never to the file's.
    device_.SetAutoRewind(false);
    if (ranOn_) {
        EndingDevicePlay();
        device_.Stop();
    }
    if (AutoRewind() && Position() >= Length())
        Seek(0);
    timer_.Cancel();
    playing_ = true;
    device_.Play();
    Arm();
}

void RangedMediaDevice::Stop() {
    EndingDevicePlay();
    device_.Stop();
}

void RangedMediaDevice::Seek(std::int64_t positionMs) {
    if (!ranged_) {
        device_.Seek(positionMs);
        return;
    }
    const std::int64_t length = Length();
    EndingDevicePlay();
    device_.Seek(start_ + std::clamp<std::int64_t>(positionMs, 0, length));
}

std::int64_t RangedMediaDevice::EndOnFile() const {
    const std::int64_t fileLength = device_.Length();
    if (end_ < 0)
        return fileLength;
    return fileLength > 0 ? std::min(end_, fileLength) : end_;
}

std::int64_t RangedMediaDevice::Length() const {
    if (!ranged_)
        return device_.Length();
    return std::max<std::int64_t>(0, EndOnFile() - start_);
}

std::int64_t RangedMediaDevice::Position() const {
    if (!ranged_)
        return device_.Position();
    if (device_.Mode() == MediaMode::NotReady)
        return 0;
    return std::clamp<std::int64_t>(device_.Position() - start_, 0, Length());
}

MediaMode RangedMediaDevice::Mode() const {
    return device_.Mode();
}

void RangedMediaDevice::Close() {
    EndingDevicePlay();
    carriedOn_ = false;
    ranged_ = false;
    file_.clear();
    device_.Close();
}

void RangedMediaDevice::Arm() {
    if (!ranged_ || end_ < 0)
        return;
    const std::int64_t fileLength = device_.Length();
    if (fileLength > 0 && end_ >= fileLength - EndMarginMs)
        return;  // the device ends it
    timer_.Start(std::max<std::int64_t>(0, end_ - device_.Position()), [this] { PartEnded(); });
}

void RangedMediaDevice::PartEnded() {
    if (!playing_ || !ranged_ || device_.Mode() != MediaMode::Playing)
        return;
    const std::int64_t position = device_.Position();
    if (position < end_) {
        // Woken early (the device's clock and ours differ): wait for the rest.
        timer_.Start(end_ - position, [this] { PartEnded(); });
        return;
    }
    playing_ = false;
    ranOn_ = true;
    value_ = NotifyResult::Successful;
    inEndNotice_ = true;
    try {
        RaiseNotify();
    } catch (...) {
        inEndNotice_ = false;
        throw;
    }
    inEndNotice_ = false;
    if (ranOn_ && ranged_) {
        // Nothing took the file over: it stops where the part ends.
        EndingDevicePlay();
        device_.Stop();
    }
}

void RangedMediaDevice::DeviceNotice() {
    const NotifyResult result = device_.NotifyValue();
    const bool ended = result == NotifyResult::Successful || result == NotifyResult::Failure;
    if (!ended && unowed_ > 0) {
        --unowed_;
        return;
    }
    if (ended && ranged_ && !playing_)
        return;  // a play that ran on past its part, and reached the file's end
    if (ended)
        playing_ = false;
    if (ended && ranOn_)
        ranOn_ = false;
    value_ = result;
    RaiseNotify();
}

void RangedMediaDevice::Queue(const std::string& fileName) {
    device_.Queue(ranged_ || PartPlayedBy(fileName) ? std::string() : fileName);
}
