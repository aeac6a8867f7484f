// The ReplayGain setting in quavrel.conf: off by default, read back as written, and anything
// out of range or unknown falls back to the default rather than to a surprise.
#include <gtest/gtest.h>

#include "config/LinuxSettings.h"
#include "media/ReplayGain.h"

namespace {

TEST(ReplayGainTest, OffByDefaultAndReadBackAsWritten) {
    EXPECT_EQ(ReplayGain::Read(LinuxSettings{}), ReplayGain{});
    EXPECT_EQ(ReplayGain{}.mode, ReplayGain::Mode::Off);
    EXPECT_TRUE(ReplayGain{}.preventClipping);
    for (const ReplayGain gain : {ReplayGain{ReplayGain::Mode::Track, 3.5, false},
                                  ReplayGain{ReplayGain::Mode::Album, -6.0, true}}) {
        LinuxSettings settings;
        gain.Write(settings);
        EXPECT_EQ(ReplayGain::Read(LinuxSettings::Parse(settings.Bytes())), gain);
    }
}

TEST(ReplayGainTest, UnknownOrOutOfRangeValuesReadAsTheDefaults) {
    const ReplayGain read = ReplayGain::Read(LinuxSettings::Parse(
        "replaygain.mode=loud\nreplaygain.preamp=999\nreplaygain.clip=maybe\n"));
    EXPECT_EQ(read, ReplayGain{});
    EXPECT_EQ(ReplayGain::Read(LinuxSettings::Parse("replaygain.preamp=-150\n")).preampDb, -15.0);
}

}  // namespace
