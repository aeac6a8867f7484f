#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "config/LinuxSettings.h"
#include "support/TempDir.h"

namespace {

TEST(LinuxSettingsTest, RoundTripsValuesAndKeepsUnknownKeysInOrder) {
    TempDir dir;
    const std::string path = dir.Write("quavrel.conf", "future.key=kept\ncolumns=Name,Path\n");
    LinuxSettings settings = LinuxSettings::Read(path);
    settings.SetBool("resume", true);
    settings.SetInt("replaygain.preamp", -6);
    settings.Set("columns", "Name,Artist");
    settings.Write(path);
    EXPECT_EQ(TempDir::Read(path),
              "future.key=kept\ncolumns=Name,Artist\nresume=1\nreplaygain.preamp=-6\n");
    const LinuxSettings again = LinuxSettings::Read(path);
    EXPECT_EQ(again, settings);
    EXPECT_TRUE(again.GetBool("resume", false));
    EXPECT_EQ(again.GetInt("replaygain.preamp", 0, -15, 15), -6);
}

TEST(LinuxSettingsTest, GarbageAndOutOfRangeValuesReadAsTheFallback) {
    const std::string huge(10'000'000, '7');
    const LinuxSettings settings =
        LinuxSettings::Parse("no equals sign\n\x01\x02=\xff\n=empty key\nn=" + huge +
                             "\nbig=99\nneg=-3\nword=abc\n"
                             "flag=maybe\r\n# comment=1\n");
    EXPECT_EQ(settings.GetInt("n", 5, 0, 100), 5);  // dropped: longer than a value may be
    EXPECT_FALSE(settings.Has("n"));
    EXPECT_EQ(settings.GetInt("big", 5, 0, 50), 5);
    EXPECT_EQ(settings.GetInt("neg", 5, -10, 10), -3);
    EXPECT_EQ(settings.GetInt("word", 5, 0, 10), 5);
    EXPECT_TRUE(settings.GetBool("flag", true));
    EXPECT_FALSE(settings.Has("# comment"));
    EXPECT_FALSE(settings.Has(""));
}

TEST(LinuxSettingsTest, AMissingFolderOrDeviceGivesDefaultsAndValuesCannotBreakLines) {
    EXPECT_EQ(LinuxSettings::Read("/nonexistent/quavrel.conf"), LinuxSettings());
    EXPECT_EQ(LinuxSettings::Read("/dev/zero"), LinuxSettings());
    TempDir dir;
    const std::string fifo = dir.File("quavrel.conf");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(LinuxSettings::Read(fifo), LinuxSettings());  // no writer: never waited on
    // A value of ten million digits is dropped as read; the lines around it stay.
    const std::string big =
        dir.Write("big.conf", "a=1\nresume.position=" + std::string(10'000'000, '7') + "\nb=2\n");
    EXPECT_EQ(LinuxSettings::Read(big), LinuxSettings());  // past the file's limit: defaults
    const LinuxSettings parsed =
        LinuxSettings::Parse("a=1\nresume.position=" + std::string(10'000'000, '7') + "\nb=2\n");
    EXPECT_EQ(parsed.Get("a"), "1");
    EXPECT_EQ(parsed.Get("b"), "2");
    EXPECT_FALSE(parsed.Has("resume.position"));
    LinuxSettings settings;
    settings.Set("title", "first\nsecond=evil");
    settings.Set("bad=key", "x");
    EXPECT_EQ(settings.Bytes(), "title=first\n");
}

}  // namespace
