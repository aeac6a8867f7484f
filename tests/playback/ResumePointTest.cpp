// Resuming where the last run stopped: the point survives the settings file, is used only for
// the same list with the same entries, and the sequencer plays the entry from its position.
#include "SequencerFixture.h"
#include "config/LinuxSettings.h"
#include "playback/ResumePoint.h"

namespace {

class ResumePointTest : public SequencerFixture {};

TEST_F(ResumePointTest, APointReadsBackAndIsUsedOnlyForTheSameList) {
    AddEntries(4);
    LinuxSettings settings;
    EXPECT_FALSE(ResumePoint::Enabled(settings)) << "off by default";
    const ResumePoint point{"/lists/default.qpl", 2, "/m/s2.wav", 61234,
                            ResumePoint::Fingerprint(list_)};
    ResumePoint::SetEnabled(settings, true);
    ResumePoint::Write(settings, point);
    const auto read = ResumePoint::Read(LinuxSettings::Parse(settings.Bytes()));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->positionMs, 61234);
    EXPECT_EQ(read->Find("/lists/default.qpl", list_), 2);
    EXPECT_TRUE(ResumePoint::Enabled(LinuxSettings::Parse(settings.Bytes())));

    EXPECT_EQ(read->Find("/lists/other.qpl", list_), -1) << "another list";
    list_.SetCaption(0, "renamed");
    EXPECT_EQ(read->Find("/lists/default.qpl", list_), 2) << "a caption is no change of list";
    list_.Move(3, 0);
    EXPECT_EQ(read->Find("/lists/default.qpl", list_), -1) << "reordered";
    list_.Move(0, 3);
    list_.Delete(2);
    EXPECT_EQ(read->Find("/lists/default.qpl", list_), -1) << "the entry is gone";

    ResumePoint::Write(settings, std::nullopt);
    EXPECT_FALSE(ResumePoint::Read(settings));
    for (const char* bad : {"resume.index=x", "resume.position=-5", "resume.fingerprint=zz"}) {
        LinuxSettings broken = LinuxSettings::Parse(
            "resume.list=/l\nresume.index=1\nresume.path=/p\nresume.position=5\n"
            "resume.fingerprint=ab\n" +
            std::string(bad) + "\n");
        EXPECT_FALSE(ResumePoint::Read(broken)) << bad;
    }
}

TEST_F(ResumePointTest, ResumingPlaysTheEntryFromItsPositionInEitherOrder) {
    AddEntries(4, 100000);
    sequencer_.ResumeAt(2, 42000);
    EXPECT_EQ(Playing(), "s2");
    EXPECT_EQ(device_.Mode(), MediaMode::Playing);
    EXPECT_EQ(device_.Position(), 42000);
    EXPECT_EQ(list_.SelectedCount(), 1);
    EXPECT_EQ(display_.trackPosition, 42000);
    FinishFile();
    EXPECT_EQ(Playing(), "s3") << "the order goes on from there";

    sequencer_.ShuffleClick();
    sequencer_.ResumeAt(1, 500);
    EXPECT_EQ(Playing(), "s1");
    EXPECT_FALSE(list_.IsSelected(1)) << "played in this pass";
    EXPECT_EQ(list_.SelectedCount(), 3);
    sequencer_.ResumeAt(0, 200000);
    EXPECT_EQ(device_.Position(), 0) << "past the end: from the start";
}

}  // namespace
