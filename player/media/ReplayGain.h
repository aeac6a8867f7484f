#pragma once

#include <string>

class LinuxSettings;

// Loudness levelling by the ReplayGain tags (and the R128 gains of Opus files), as the user set
// it: off, by the track's gain or by the album's, with a pre-amplification and clipping
// prevention. Plain data, any thread.
struct ReplayGain {
    enum class Mode { Off, Track, Album };

    // The pre-amplification the player accepts, in dB; mpv takes no more either way.
    static constexpr double MinPreampDb = -15;
    static constexpr double MaxPreampDb = 15;

    Mode mode = Mode::Off;
    double preampDb = 0;
    bool preventClipping = true;  // lower the gain where it would clip

    // "off", "track", "album": mpv's names of the modes, and the settings file's.
    static const char* ModeName(Mode mode);

    // From quavrel.conf: replaygain.mode, replaygain.preamp (tenths of a dB, so the file holds
    // whole numbers), replaygain.clip. Unknown or out-of-range values read as the defaults.
    static ReplayGain Read(const LinuxSettings& settings);
    void Write(LinuxSettings& settings) const;

    bool operator==(const ReplayGain&) const = default;
};
