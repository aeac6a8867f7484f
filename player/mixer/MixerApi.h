#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The kinds of control the player looks at, and the control flags, with the system mixer's
// own numbers (the mixer tree compares them bit for bit).
namespace MixerControlType {
inline constexpr std::uint32_t Volume = 0x50030001;
inline constexpr std::uint32_t Mute = 0x20010002;
// A list control: one value per source line. Mixer (0x71010001) has all of Mux's bits.
inline constexpr std::uint32_t Mux = 0x70010001;
inline constexpr std::uint32_t Mixer = 0x71010001;
}  // namespace MixerControlType

namespace MixerControlFlag {
// One value stands for every channel: read and write it as one channel.
inline constexpr std::uint32_t Uniform = 0x1;
// A list control with MultipleItems values per channel.
inline constexpr std::uint32_t Multiple = 0x2;
}  // namespace MixerControlFlag

// The two change notices a mixer device sends, with their window-message numbers.
enum class MixerNotice { LineChange = 976, ControlChange = 977 };

struct MixerDeviceCaps {
    std::string Name;
    int Destinations = 0;
};

// A destination line (an output) or one of its source lines (what plays into it).
struct MixerLine {
    int Destination = 0;
    int Source = 0;            // meaningful for source lines only
    std::uint32_t LineID = 0;  // unique within the open device
    int Channels = 1;
    int Connections = 0;  // source lines of a destination; 0 for a source line
    int Controls = 0;
    std::string Name;
};

struct MixerControl {
    std::uint32_t ControlID = 0;  // unique within the open device
    std::uint32_t ControlType = 0;
    std::uint32_t Flags = 0;
    int MultipleItems = 0;  // items of a list control, 0 otherwise
    std::uint32_t Minimum = 0;
    std::uint32_t Maximum = 0;
    std::string Name;
};

// MixerApi: the platform's audio mixer, shaped as the program was designed against it:
// devices, which have destination lines, which have source lines; each line has controls;
// a control's value is read and written as "details", channels × items unsigned values
// (item-major within a channel: channel c, item i at c × items + i; items 0 counts as 1).
//
// Volumes run from 0 (silent) to 65535 (full); a mute value is 0 or 1.
// Thread: the user-interface thread only. Every call blocks until the mixer has answered (a
// few milliseconds; a mixer that does not answer fails the call after a bounded wait).
// Errors: a call that fails returns nullopt or false; nothing throws.
// Notices: Open takes the handler for the device's change notices. It runs later on the
// user-interface thread, never inside a call of this interface, and never after Close.
class MixerApi {
public:
    // (notice, handle of the device, line ID for LineChange or control ID for ControlChange)
    using NoticeHandler = std::function<void(MixerNotice, std::uint32_t, std::uint32_t)>;

    virtual ~MixerApi() = default;

    virtual int DeviceCount() = 0;
    // Returns the handle of the opened device (non-zero), or nullopt when it cannot be opened.
    // A device is open at most once at a time: opening it again fails until it is closed.
    virtual std::optional<std::uint32_t> Open(int deviceId, NoticeHandler onNotice) = 0;
    // Closing an unknown handle does nothing.
    virtual void Close(std::uint32_t handle) = 0;
    virtual std::optional<MixerDeviceCaps> GetDevCaps(std::uint32_t handle) = 0;
    // Destination line by its index, 0 up to MixerDeviceCaps::Destinations - 1.
    virtual std::optional<MixerLine> GetDestinationLine(std::uint32_t handle, int destination) = 0;
    // Source line by its destination's index and its own, 0 up to Connections - 1.
    virtual std::optional<MixerLine> GetSourceLine(std::uint32_t handle, int destination,
                                                   int source) = 0;
    // Every control of a line, in the mixer's order.
    virtual std::optional<std::vector<MixerControl>> GetLineControls(std::uint32_t handle,
                                                                     std::uint32_t lineId) = 0;
    // Reads channels × max(items, 1) values. Channels is 1 for a uniform control; for the
    // others 1 (all channels read as one) or the line's channel count.
    virtual std::optional<std::vector<std::uint32_t>> GetControlDetails(std::uint32_t handle,
                                                                        std::uint32_t controlId,
                                                                        int channels,
                                                                        int items) = 0;
    // Writes channels × max(items, 1) values, counted as for GetControlDetails; one channel
    // given for a control of several sets them all. Volumes above 65535 are taken as 65535.
    virtual bool SetControlDetails(std::uint32_t handle, std::uint32_t controlId, int channels,
                                   int items, const std::vector<std::uint32_t>& values) = 0;
};
