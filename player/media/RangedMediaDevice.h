#pragma once

#include <cstdint>
#include <string>

#include "media/MediaDevice.h"

class OneShotTimer;

// A media device that plays a part of a file as if it were a file of its own: a FileName that
// is a track path ("/m/Album.flac|t=252.347,510", TrackPath.h: a CUE sheet's track) opens that
// file standing at the part's start, and Length, Position and Seek count within the part, so
// the track bar, the LCD's percentage, preview mode and the media interface see the track.
// At the part's end the play ends with a Successful notice; when the handler of that notice
// opens the next part of the same file (the next track of the album) and plays it, the file
// plays on without a reopen, a seek or a gap. Otherwise the file stops at the part's end. A
// plain file name, and a track path that names an existing file as it stands, passes every
// command on unchanged.
//
// Same thread, units, notices and errors as the device it wraps, which must outlive this one
// and whose notice handler it takes over for its life. It adds one error: Open of a part that
// starts at or after its file's end throws EMCIDeviceError and leaves no device open. The end
// of a part is found with timer (on the user-interface thread, as notices are); a part that
// ends within 50 ms of its file's end ends with the file, as the device reports it.
class RangedMediaDevice final : public MediaDevice {
public:
    static constexpr const char* StartsPastEnd = "The track starts after the end of its file";

    RangedMediaDevice(MediaDevice& device, OneShotTimer& timer);
    ~RangedMediaDevice() override;
    RangedMediaDevice(const RangedMediaDevice&) = delete;
    RangedMediaDevice& operator=(const RangedMediaDevice&) = delete;

    void Open() override;
    void Notify(bool requested) override;
    void Play() override;
    void Stop() override;
    void Seek(std::int64_t positionMs) override;
    std::int64_t Length() const override;
    std::int64_t Position() const override;
    MediaMode Mode() const override;
    NotifyResult NotifyValue() const override { return value_; }
    void Close() override;
    // A part is no file end to join at, and a part cannot be followed into: only a whole file
    // after a whole file is queued on the wrapped device.
    void Queue(const std::string& fileName) override;
    std::string StreamTitle() const override { return device_.StreamTitle(); }

private:
    // Before a command of the wrapped device that ends its play: a play that ran on past the
    // end of the part it was for gives a notice nobody is owed.
    void EndingDevicePlay();
    // Starts the timer for the end of the part, if it ends before its file.
    void Arm();
    void PartEnded();
    void DeviceNotice();
    // Where the part ends on the file; the file's length for a part to its end.
    std::int64_t EndOnFile() const;

    MediaDevice& device_;
    OneShotTimer& timer_;
    bool ranged_ = false;       // a part is open; otherwise every command passes straight on
    std::string file_;          // the file the part is of
    std::int64_t start_ = 0;    // the part, on the file
    std::int64_t end_ = -1;     // -1: to the file's end
    bool playing_ = false;      // a play of this device is outstanding
    bool ranOn_ = false;        // the wrapped device plays on past the part whose play ended
    bool inEndNotice_ = false;  // the handler of a part's end notice is running
    bool carriedOn_ = false;    // that handler opened the next part: its Play only takes over
    int unowed_ = 0;            // notices of the wrapped device that are nobody's
    NotifyResult value_ = NotifyResult::Successful;
};
