#include "mpris/TrackedMediaDevice.h"

TrackedMediaDevice::TrackedMediaDevice(MediaDevice& device) : device_(device) {
    // The wrapped device reports to whoever set this one's handler.
    device_.SetOnNotify([this] { RaiseNotify(); });
}

TrackedMediaDevice::~TrackedMediaDevice() {
    device_.SetOnNotify({});
}

void TrackedMediaDevice::Open() {
    // A failed open leaves no device open (MediaDevice's contract), so nothing is open here
    // either, whatever was before.
    openFile_.clear();
    device_.SetFileName(FileName());
    device_.Open();
    openFile_ = FileName();
    ++openCount_;
}

void TrackedMediaDevice::Notify(bool requested) {
    device_.Notify(requested);
}

void TrackedMediaDevice::Play() {
    // The main window sets the rewind rule on this object; the device that plays must follow it.
    device_.SetAutoRewind(AutoRewind());
    device_.Play();
}

void TrackedMediaDevice::Stop() {
    device_.Stop();
}

void TrackedMediaDevice::Seek(std::int64_t positionMs) {
    device_.Seek(positionMs);
}

std::int64_t TrackedMediaDevice::Length() const {
    return device_.Length();
}

std::int64_t TrackedMediaDevice::Position() const {
    return device_.Position();
}

MediaMode TrackedMediaDevice::Mode() const {
    return device_.Mode();
}

NotifyResult TrackedMediaDevice::NotifyValue() const {
    return device_.NotifyValue();
}

void TrackedMediaDevice::Close() {
    device_.Close();
    openFile_.clear();
}

void TrackedMediaDevice::Queue(const std::string& fileName) {
    device_.Queue(fileName);
}

std::string TrackedMediaDevice::StreamTitle() const {
    return device_.StreamTitle();
}
