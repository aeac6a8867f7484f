// The configuration file as the main window reads and writes it: whole starts and closes on a
// real settings folder, compared byte for byte.
#include <QAction>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "TQuavrel.h"
#include "filter/FileTypeFilter.h"
#include "support/ConfigLines.h"
#include "support/FindPart.h"
#include "support/MainWindowFakes.h"
#include "support/WavWriter.h"
#include "toolbars/TDock97.h"
#include "toolbars/TToolbar97.h"

namespace {

std::vector<std::string> LinesOf(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        lines.push_back(bytes.substr(start, end - start));
        start = end == std::string::npos ? bytes.size() : end + 2;
    }
    return lines;
}

class TQuavrelConfigTest : public ::testing::Test, protected MainWindowFakes {
protected:
    std::unique_ptr<TQuavrel> Start(bool trayAvailable = true) {
        return StartIn(settings_->Path().string(), trayAvailable);
    }
    std::unique_ptr<TQuavrel> StartIn(const std::string& folder, bool trayAvailable = true) {
        auto window = std::make_unique<TQuavrel>(ServicesIn(folder, trayAvailable));
        Part<QTimer>(*window, "Timer")->stop();
        return window;
    }
    std::string Ini() const { return settings_->File("Qvrl.ini"); }
    std::string IniBytes() const { return TempDir::Read(Ini()); }
    // A play list of two short WAV files the fake device knows.
    std::string WritePlayList() {
        const std::string a = settings_->File("a.wav"), b = settings_->File("b.wav");
        WriteWav(a, 200);
        WriteWav(b, 200);
        media_.AddFile(a, 200);
        media_.AddFile(b, 200);
        return settings_->Write("list.qpl", Crlf({"Quavrel v2.0 PlayList File", "a", a, "b", b}));
    }
    // The file a first start writes when it is closed at once.
    std::string FreshStartBytes() {
        auto window = Start();
        window->Exit2Click();
        return IniBytes();
    }
    std::vector<std::string> EveryOption(const std::string& list) const {
        // The browsed folder as the tree reports a folder.
        return EveryOptionLines(list, settings_->Path().string() + "/");
    }
};

TEST_F(TQuavrelConfigTest, FreshStartWritesTheDefaultsAndReadsThemBackTheSame) {
    std::string first;
    {
        auto window = Start();
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(window->PlayListModel().Empty());
        window->Exit2Click();
        first = IniBytes();
        const std::vector<std::string> lines = LinesOf(first);
        ASSERT_EQ(lines.size(), 40u);
        EXPECT_EQ(lines[0], "Quavrel v2.0 ConfigFile");
        EXPECT_EQ(lines[2], settings_->File("default.qpl"));
        EXPECT_EQ(lines[3], "List");
        EXPECT_EQ(lines[5], std::to_string(window->x()));
        EXPECT_EQ(lines[6], std::to_string(window->y()));
        EXPECT_EQ(lines[7], "410");
        EXPECT_EQ(lines[8], "458");
        EXPECT_EQ(lines[9], "PVisible");
        EXPECT_EQ(lines[10], "151");
        EXPECT_EQ(lines[12], "dTop1");
        EXPECT_EQ(lines[13], "201");
        EXPECT_EQ(lines[14], "0");
        EXPECT_EQ(lines[15], "dRight");
        EXPECT_EQ(lines[18], "dTop1");
        EXPECT_EQ(lines[19], "0");
        EXPECT_EQ(lines[20], "0");
        EXPECT_EQ(lines[21], "dBottom");
        EXPECT_EQ(std::vector<std::string>(lines.begin() + 26, lines.end()),
                  (std::vector<std::string>{"FormVisible", "HotTrack", "[Toolbar Options]",
                                            "FVisible", "SVisible", "OVisible", "Loop", "NoShuffle",
                                            "Text", lines[35], "Filtering ON", "RollerDown", "",
                                            "DefaultColors"}));
        // The filter list is written too: the default types.
        std::string filter;
        for (const std::string& type : DefaultFilterList())
            filter += type + "\r\n";
        EXPECT_EQ(TempDir::Read(settings_->File("Qvrl.flt")), filter);
    }
    // What was written comes back: a second start closed at once writes the same bytes.
    auto again = Start();
    again->Exit2Click();
    EXPECT_EQ(IniBytes(), first);
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(TQuavrelConfigTest, EveryOptionIsAppliedAndWrittenBackTheSame) {
    const std::vector<std::string> lines = EveryOption(settings_->File("missing.qpl"));
    settings_->Write("Qvrl.ini", Crlf(lines));
    auto w = Start();
    EXPECT_TRUE(w->windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(Part<QSplitter>(*w, "PaneSplitter")->widget(0)->isHidden());
    EXPECT_EQ(w->ExplorerHeight(), 120);
    EXPECT_EQ(Part<TToolbar97>(*w, "TBOPtions")->DockedTo(), Part<TDock97>(*w, "Dock973"));
    EXPECT_EQ(Part<TToolbar97>(*w, "TBSystem")->DockedTo(), Part<TDock97>(*w, "Dock974"));
    EXPECT_EQ(Part<TToolbar97>(*w, "TBFunctions")->DockedTo(), Part<TDock97>(*w, "Dock975"));
    EXPECT_EQ(Part<TToolbar97>(*w, "TBTrackBar")->DockedTo(), Part<TDock97>(*w, "Dock971"));
    EXPECT_TRUE(Part<TToolbar97>(*w, "TBOPtions")->isHidden() &&
                Part<TToolbar97>(*w, "TBSystem")->isHidden() &&
                Part<TToolbar97>(*w, "TBFunctions")->isHidden());
    EXPECT_FALSE(Part<QAction>(*w, "FunctionsToolbar1")->isChecked() ||
                 Part<QAction>(*w, "LoadSaveToolbar1")->isChecked() ||
                 Part<QAction>(*w, "OptionsToolbar1")->isChecked());
    EXPECT_FALSE(w->HotTrackOn());
    EXPECT_FALSE(Part<QAction>(*w, "ToggleHotTrack")->isChecked() ||
                 Part<QAction>(*w, "HotTrack1")->isChecked());
    EXPECT_EQ(w->State().LoopOn, 0);
    EXPECT_FALSE(Part<QAction>(*w, "Loop1")->isChecked() ||
                 Part<QAction>(*w, "LoopN")->isChecked());
    EXPECT_EQ(w->State().ShuffleOn, 1);
    EXPECT_TRUE(Part<QAction>(*w, "Shuffle1")->isChecked() &&
                Part<QAction>(*w, "Shuffle2")->isChecked());
    EXPECT_FALSE(Part<QAction>(*w, "ImageBut")->isChecked());
    EXPECT_EQ(Part<QToolButton>(*w, "Play")->size(), QSize(27, 24));
    EXPECT_EQ(w->State().BrowseDir, settings_->Path().string() + "/");
    EXPECT_EQ(w->State().FilteringOn, 0);
    EXPECT_EQ(w->State().PlayListDir, "/music/lists/");
    EXPECT_EQ(w->State().WindowsColors, 1);
    EXPECT_TRUE(Part<QAction>(*w, "Detailed2")->isChecked());
    w->Exit2Click();
    std::vector<std::string> written = LinesOf(IniBytes());
    ASSERT_EQ(written.size(), 40u);
    // Lines 7 to 9 of a maximized window hold the geometry it has, whatever was read.
    for (int line : {6, 7, 8}) {
        EXPECT_FALSE(written[line].empty());
        written[line] = lines[line];
    }
    EXPECT_EQ(written, lines);
}

TEST_F(TQuavrelConfigTest, HeaderDifferingInLetterCaseIsNotUsed) {
    std::vector<std::string> lines = EveryOption("");
    lines[0] = "Quavrel v2.0 configfile";
    settings_->Write("Qvrl.ini", Crlf(lines));
    auto w = Start();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->State().LoopOn, 1);
    EXPECT_EQ(w->State().WindowsColors, 0);
    EXPECT_FALSE(Part<TToolbar97>(*w, "TBOPtions")->isHidden());
}

TEST_F(TQuavrelConfigTest, FileEndingAfterLine26LeavesTheLaterDefaultsAndStillLoadsTheList) {
    std::vector<std::string> lines = EveryOption(WritePlayList());
    lines[5] = "10";
    lines.resize(26);
    settings_->Write("Qvrl.ini", Crlf(lines));
    auto w = Start();
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(w->HotTrackOn());
    EXPECT_FALSE(Part<TToolbar97>(*w, "TBOPtions")->isHidden() ||
                 Part<TToolbar97>(*w, "TBSystem")->isHidden() ||
                 Part<TToolbar97>(*w, "TBFunctions")->isHidden());
    EXPECT_EQ(w->State().LoopOn, 0);
    EXPECT_EQ(w->State().ShuffleOn, 0);
    EXPECT_TRUE(Part<QAction>(*w, "ImageBut")->isChecked());
    EXPECT_EQ(w->State().FilteringOn, 1);
    EXPECT_EQ(w->State().PlayListDir, "");
    EXPECT_EQ(w->State().WindowsColors, 0);
    // The default play list loads and starts playing.
    EXPECT_EQ(w->PlayListModel().Count(), 2);
    EXPECT_EQ(media_.Mode(), MediaMode::Playing);
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(TQuavrelConfigTest, NonNumberStopsTheStartWithItsMessageAndKeepsTheDefaults) {
    std::vector<std::string> lines = EveryOption(WritePlayList());
    lines[5] = "10";
    lines[6] = "x";
    settings_->Write("Qvrl.ini", Crlf(lines));
    {
        auto w = Start(true);
        ASSERT_EQ(messages_.shown.size(), 1u);
        EXPECT_EQ(messages_.shown[0].text, "'x' is not a valid integer value");
        EXPECT_EQ(w->x(), 10);  // applied before the line
        EXPECT_EQ(w->State().LoopOn, 1);
        EXPECT_FALSE(Part<TToolbar97>(*w, "TBOPtions")->isHidden());
        EXPECT_TRUE(w->PlayListModel().Empty());
        // With a tray the program lives on there, as designed.
        EXPECT_FALSE(w->isVisible());
    }
    // Without a tray the window could never be reached: it is shown.
    auto w = Start(false);
    EXPECT_TRUE(w->isVisible());
}

TEST_F(TQuavrelConfigTest, HiddenWindowWithoutATrayIsShownAnyway) {
    std::vector<std::string> lines = EveryOption("");
    settings_->Write("Qvrl.ini", Crlf(lines));
    EXPECT_FALSE(Start(true)->isVisible());
    EXPECT_TRUE(Start(false)->isVisible());
}

TEST_F(TQuavrelConfigTest, EmptyLine3LoadsNothingAndIsWrittenAsTheDefaultList) {
    std::string fresh = FreshStartBytes();
    std::vector<std::string> lines = LinesOf(fresh);
    lines[2] = "";
    settings_->Write("Qvrl.ini", Crlf(lines));
    auto w = Start();
    EXPECT_TRUE(w->PlayListModel().Empty());
    EXPECT_TRUE(messages_.shown.empty());
    w->Exit2Click();
    EXPECT_EQ(LinesOf(IniBytes())[2], settings_->File("default.qpl"));
}

TEST_F(TQuavrelConfigTest, ResetThenANewStartEqualsAFreshStart) {
    const std::string fresh = FreshStartBytes();
    std::vector<std::string> lines = EveryOption("");
    settings_->Write("Qvrl.ini", Crlf(lines));
    {
        auto w = Start();
        messages_.answer = MessageBox::Answer::No;
        w->ResetQuavrel1Click();
        ASSERT_EQ(messages_.shown.size(), 1u);
        EXPECT_EQ(messages_.shown[0].caption, "Confirmation");
        EXPECT_EQ(messages_.shown[0].text,
                  "Do you really want to reset Quavrel?\r\rNOTE: You will have to Restart "
                  "Quavrel after this operation!");
        EXPECT_EQ(messages_.shown[0].icon, MessageBox::Icon::None);
        EXPECT_EQ(messages_.shown[0].buttons, MessageBox::Buttons::YesNo);
        EXPECT_TRUE(std::filesystem::exists(Ini()));

        messages_.answer = MessageBox::Answer::Yes;
        w->ResetQuavrel1Click();
        // Gone, and not written again by the ending.
        EXPECT_FALSE(std::filesystem::exists(Ini()));
        EXPECT_FALSE(std::filesystem::exists(settings_->File("Qvrl.flt")));
        w->close();
        EXPECT_FALSE(std::filesystem::exists(Ini()));
    }
    messages_.shown.clear();
    EXPECT_EQ(FreshStartBytes(), fresh);
}

TEST_F(TQuavrelConfigTest, FailedWriteKeepsTheWindowOpenAndSaysWhy) {
    const std::string notAFolder = settings_->Write("plain", "x");
    auto w = StartIn(notAFolder);
    w->Exit2Click();
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, "Cannot create file " + notAFolder + "/Qvrl.flt");
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->State().FilterList);
    EXPECT_EQ(TempDir::Read(notAFolder), "x");
}

TEST_F(TQuavrelConfigTest, ShortFormIsLeftBeforeTheConfigurationIsWritten) {
    auto w = Start();
    w->ShortFormToggl1Click();
    w->Exit2Click();
    const std::vector<std::string> lines = LinesOf(IniBytes());
    EXPECT_EQ(lines[7], "406");
    EXPECT_EQ(lines[8], "455");
    EXPECT_EQ(lines[10], "147");
    EXPECT_EQ(lines[29], "FVisible");
}

TEST_F(TQuavrelConfigTest, MakeDefaultTakesTheCurrentListWhenTheListHasEntries) {
    settings_->Write("Qvrl.ini", FreshStartBytes());
    std::vector<std::string> lines = LinesOf(IniBytes());
    lines[2] = WritePlayList();
    settings_->Write("Qvrl.ini", Crlf(lines));
    auto w = Start();
    ASSERT_EQ(w->PlayListModel().Count(), 2);
    w->State().LastPlayListFile = "";
    Part<QToolButton>(*w, "ToolbarButton972")->click();
    EXPECT_EQ(w->State().LastPlayListFile, lines[2]);
}

}  // namespace

// ReplayGain and Resume Playback live in quavrel.conf: set from the menus, given to the device,
// read back by the next start; resuming plays the last run's entry of the default list.
TEST_F(TQuavrelConfigTest, ListeningSettingsOutliveTheRunAndResumeTheDefaultList) {
    settings_->Write("Qvrl.ini", FreshStartBytes());
    std::vector<std::string> lines = LinesOf(IniBytes());
    lines[2] = WritePlayList();  // the default list
    settings_->Write("Qvrl.ini", Crlf(lines));
    std::vector<ReplayGain> given;
    const auto start = [&] {
        QuavrelServices services = ServicesIn(settings_->Path().string());
        services.setReplayGain = [&given](const ReplayGain& gain) { given.push_back(gain); };
        auto window = std::make_unique<TQuavrel>(std::move(services));
        Part<QTimer>(*window, "Timer")->stop();
        return window;
    };
    {
        auto w = start();
        ASSERT_FALSE(given.empty());
        EXPECT_EQ(given.back(), ReplayGain{}) << "off by default";
        Part<QAction>(*w, "ReplayGainAlbum1")->trigger();
        EXPECT_EQ(given.back().mode, ReplayGain::Mode::Album);
        Part<QAction>(*w, "ReplayGainClip1")->trigger();
        EXPECT_FALSE(given.back().preventClipping);
        Part<QAction>(*w, "ResumePlayback1")->trigger();
        EXPECT_TRUE(Part<QAction>(*w, "ResumePlayback1")->isChecked());
        w->NextSClick();  // the second entry plays, 120 ms in
        media_.Advance(120);
        ASSERT_EQ(media_.FileName(), w->PlayListModel().At(1).Path);
        w->Exit2Click();
    }
    const std::string conf = settings_->Read(settings_->File("quavrel.conf"));
    EXPECT_NE(conf.find("replaygain.mode=album\n"), std::string::npos) << conf;
    EXPECT_NE(conf.find("resume.index=1\n"), std::string::npos) << conf;
    given.clear();
    auto w = start();
    ASSERT_FALSE(given.empty());
    EXPECT_EQ(given.back(), (ReplayGain{ReplayGain::Mode::Album, 0, false}));
    EXPECT_TRUE(Part<QAction>(*w, "ReplayGainAlbum1")->isChecked());
    EXPECT_TRUE(Part<QAction>(*w, "ResumePlayback1")->isChecked());
    EXPECT_EQ(media_.FileName(), w->PlayListModel().At(1).Path) << "resumed at its entry";
    EXPECT_EQ(media_.Position(), 120) << "and its position";
}
