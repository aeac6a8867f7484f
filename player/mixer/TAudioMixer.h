#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "mixer/MixerApi.h"

class TMixerControls;
class TMixerDestination;
class TMixerDestinations;

// What GetVolume found on a line. A value that was not found is -1; Mute is 1 or 0.
struct MixerVolume {
    std::int64_t Left = -1;
    std::int64_t Right = -1;  // -1 too when the volume control has one channel
    int Mute = -1;
    bool VolumeUnavailable = true;
    bool MuteUnavailable = true;
};

// The system mixer as the volume pop-up uses it: one open mixer device, its lines and
// controls read into a tree when it opens, volume and mute read and written by line, and the
// device's change notices passed on as events. The tree is read again when the device reports
// a line change (an output or a stream came or went, or the default output changed), so
// destination 0 stays the output the system plays to.
//
// Thread: the user-interface thread only; the events run there, never inside a call of this
// class. Failures of the mixer are not errors: reads and writes say whether the line exists
// and otherwise pass over what could not be done. Nothing throws.
class TAudioMixer {
public:
    // (sender, handle of the device, line ID or control ID, as MixerApi::NoticeHandler)
    using TMixerChange = std::function<void(TAudioMixer&, std::uint32_t, std::uint32_t)>;

    // Counts the devices once and opens device 0 when there is one. The mixer uses the api
    // for its whole life and does not own it.
    explicit TAudioMixer(MixerApi& api);
    ~TAudioMixer();
    TAudioMixer(const TAudioMixer&) = delete;
    TAudioMixer& operator=(const TAudioMixer&) = delete;

    // Index of the open device; -1 while none is open.
    int MixerID() const { return mixerId_; }
    // Closes the open device and opens device id; an id not below DeviceCount changes nothing,
    // a negative one only closes. A device that fails to open leaves the mixer closed.
    void SetMixerID(int id);
    int DeviceCount() const { return deviceCount_; }
    // 0 while no device is open.
    std::uint32_t MixerHandle() const { return mixerHandle_; }
    const MixerDeviceCaps& MixerCaps() const { return mixerCaps_; }
    // The destinations of the open device; nullptr while none is open.
    const TMixerDestinations* Destinations() const { return destinations_.get(); }
    MixerApi& Api() const { return api_; }

    // Volume and mute of destination `destination` itself (connection -1) or of its source
    // line `connection`; nullopt when there is no such line.
    std::optional<MixerVolume> GetVolume(int destination, int connection) const;
    // Writes the volume (left and right; left -1 leaves the volume alone, right -1 means the
    // same as left) and the mute (-1 leaves it alone) of a line found as by GetVolume. Returns
    // false when there is no such line; writes that fail are passed over.
    bool SetVolume(int destination, int connection, std::int64_t leftVolume,
                   std::int64_t rightVolume, int mute);

    // The tree matches the open device: no tree without a device, every list holds what its
    // line promised at most, in order, and each control list points into its own block.
    bool IsConsistent() const;

    TMixerChange OnLineChange;
    TMixerChange OnControlChange;

private:
    struct Target {
        const TMixerDestination* destination = nullptr;
        const MixerLine* line = nullptr;
        const TMixerControls* controls = nullptr;
    };

    Target FindLine(int destination, int connection) const;
    void Notice(MixerNotice notice, std::uint32_t handle, std::uint32_t id);
    void ReadTree();
    int ChannelsFor(const MixerControl& control, const MixerLine& line) const;
    int MuteFromListControl(const TMixerDestination& destination, int connection) const;
    void WriteMuteToListControl(const TMixerDestination& destination, int connection, int mute);

    MixerApi& api_;
    int deviceCount_ = 0;
    int mixerId_ = -1;
    std::uint32_t mixerHandle_ = 0;
    MixerDeviceCaps mixerCaps_;
    std::unique_ptr<TMixerDestinations> destinations_;
};
