#include "media/ReplayGain.h"

#include <cmath>

#include "config/LinuxSettings.h"

const char* ReplayGain::ModeName(Mode mode) {
    switch (mode) {
        case Mode::Track:
            return "track";
        case Mode::Album:
            return "album";
        case Mode::Off:
            break;
    }
    return "off";
}

ReplayGain ReplayGain::Read(const LinuxSettings& settings) {
    ReplayGain gain;
    const std::string mode = settings.Get("replaygain.mode", "off");
    for (Mode candidate : {Mode::Off, Mode::Track, Mode::Album})
        if (mode == ModeName(candidate))
            gain.mode = candidate;
    gain.preampDb = static_cast<double>(settings.GetInt("replaygain.preamp", 0, MinPreampDb * 10,
                                                        MaxPreampDb * 10)) /
                    10.0;
    gain.preventClipping = settings.GetBool("replaygain.clip", true);
    return gain;
}

void ReplayGain::Write(LinuxSettings& settings) const {
    settings.Set("replaygain.mode", ModeName(mode));
    settings.SetInt("replaygain.preamp", std::lround(preampDb * 10.0));
    settings.SetBool("replaygain.clip", preventClipping);
}
