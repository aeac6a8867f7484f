#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

// How the PulseAudio mixer names its lines and controls, and scales its volumes. Sinks are
// destination lines, sink inputs (streams) their source lines; each has a volume and a mute
// control. An ID carries the server's own index, so it stays right while the order changes:
//   bits 31-30 the kind of line, bit 29 the control (0 volume, 1 mute), bits 28-0 the index.
// A server index that does not fit in 29 bits has no ID: that line is left out.
namespace PulseMixerIds {

enum class Kind : std::uint32_t { Sink = 1, SinkInput = 2 };
enum class Control : std::uint32_t { Volume = 0, Mute = 1 };

inline constexpr std::uint32_t MaxIndex = 0x1FFFFFFF;

struct Decoded {
    Kind kind;
    Control control;
    std::uint32_t index;
};

constexpr std::uint32_t LineId(Kind kind, std::uint32_t index) {
    return (static_cast<std::uint32_t>(kind) << 30) | index;
}

constexpr std::uint32_t ControlId(Kind kind, std::uint32_t index, Control control) {
    return LineId(kind, index) | (static_cast<std::uint32_t>(control) << 29);
}

constexpr std::optional<Decoded> Decode(std::uint32_t id) {
    const std::uint32_t kind = id >> 30;
    if (kind != static_cast<std::uint32_t>(Kind::Sink) &&
        kind != static_cast<std::uint32_t>(Kind::SinkInput))
        return std::nullopt;
    return Decoded{static_cast<Kind>(kind), static_cast<Control>((id >> 29) & 1), id & MaxIndex};
}

// The mixer's 0 to 65535 onto PulseAudio's 0 to PA_VOLUME_NORM (65536), linearly. Rounded
// so that every mixer value comes back unchanged, and a PulseAudio value below 100 % reads
// as the same number (pactl's 49152 is the mixer's 49152). Above 100 % reads as 65535.
constexpr std::uint32_t ToPulse(std::uint32_t volume) {
    const std::uint64_t clamped = std::min<std::uint32_t>(volume, 65535);
    return static_cast<std::uint32_t>(clamped * 65536 / 65535);
}

constexpr std::uint32_t FromPulse(std::uint32_t volume) {
    const std::uint64_t scaled = (static_cast<std::uint64_t>(volume) * 65535 + 65535) / 65536;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(scaled, 65535));
}

}  // namespace PulseMixerIds
