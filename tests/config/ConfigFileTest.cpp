#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include <string>
#include <vector>

#include "config/ConfigFormat.h"
#include "config/ConfigReader.h"
#include "config/ConfigWriter.h"
#include "config/StrToInt.h"
#include "config/WindowsDirFile.h"
#include "support/ConfigLines.h"
#include "support/TempDir.h"
#include "textfile/FileErrors.h"
#include "textfile/TextLineReader.h"

namespace {

// Applies what it is told to a ConfigState and logs each call, so a test sees both the
// values and the order they came in.
class RecordingTarget final : public ConfigTarget {
public:
    ConfigState state;
    std::vector<std::string> calls;

    void SetLastPlayListFile(const std::string& path) override {
        state.lastPlayListFile = path;
        Log("file " + path);
    }
    void SetViewStyle(const std::string& word) override {
        state.viewStyle = word;
        Log("style " + word);
    }
    void Maximize() override {
        state.maximized = true;
        Log("maximize");
    }
    void SetFormLeft(std::int32_t v) override { state.left = v, Log("left", v); }
    void SetFormTop(std::int32_t v) override { state.top = v, Log("top", v); }
    void SetFormWidth(std::int32_t v) override { state.width = v, Log("width", v); }
    void SetFormHeight(std::int32_t v) override { state.height = v, Log("height", v); }
    void HideExplorer() override { state.explorerVisible = false, Log("hide explorer"); }
    void SetExplorerHeight(std::int32_t v) override {
        state.explorerHeight = v, Log("explorer height", v);
    }
    void SetToolbarDock(ToolbarId t, DockSide dock) override {
        state.Toolbar(t).dock = dock;
        Log(Name(t) + " dock " + DockToText(dock));
    }
    void SetToolbarLeft(ToolbarId t, std::int32_t v) override {
        state.Toolbar(t).left = v, Log(Name(t) + " left", v);
    }
    void SetToolbarTop(ToolbarId t, std::int32_t v) override {
        state.Toolbar(t).top = v, Log(Name(t) + " top", v);
    }
    void SetTrackBarWidth(std::int32_t v) override { state.trackBarWidth = v; }
    void SetTrackBarHeight(std::int32_t v) override { state.trackBarHeight = v; }
    void ShowForm() override { shown = true; }
    void SetHotTrack(bool on) override { state.hotTrack = on, Log(on ? "hot" : "cold"); }
    void HideToolbar(ToolbarId t) override {
        (t == ToolbarId::Functions ? state.functionsVisible
         : t == ToolbarId::System  ? state.systemVisible
                                   : state.optionsVisible) = false;
        Log("hide " + Name(t));
    }
    void AfterToolbarOptions() override { Log("after toolbar options"); }
    void SetLoop(bool on) override { state.loop = on; }
    void SetShuffle(bool on) override { state.shuffle = on; }
    void TextOff() override { state.textOnButtons = false; }
    void FilteringOff() override { state.filtering = false; }
    void SetPlayListDir(const std::string& folder) override { state.playListDir = folder; }
    void UseNormalColors() override { state.normalColors = true, Log("normal colours"); }
    void SetBrowseDir(const std::string& folder) override {
        state.browseDir = folder;
        Log("browse " + folder);
    }

    bool shown = false;

private:
    static std::string Name(ToolbarId t) {
        static const char* names[] = {"options", "system", "functions", "trackbar"};
        return names[static_cast<int>(t)];
    }
    void Log(const std::string& call) { calls.push_back(call); }
    void Log(const std::string& call, std::int32_t value) {
        calls.push_back(call + " " + std::to_string(value));
    }
};

// The file every option is set in: each value differs from what a fresh start writes.
const std::vector<std::string> kEveryOption =
    EveryOptionLines("/music/lists/evening.qpl", "/music");

class ConfigFileTest : public ::testing::Test {
protected:
    std::string Write(const std::string& bytes) { return dir_.Write("Qvrl.ini", bytes); }
    TempDir dir_;
};

TEST_F(ConfigFileTest, FreshStateIsWrittenAsFortyCrLfLines) {
    ConfigState state;
    state.lastPlayListFile = "/home/u/.config/quavrel/default.qpl";
    state.left = 307;
    state.top = 211;
    state.toolbars = {ToolbarPlace{DockSide::Top, 201, 0}, ToolbarPlace{DockSide::Right, 0, 0},
                      ToolbarPlace{DockSide::Top, 0, 0}, ToolbarPlace{DockSide::Bottom, 0, 26}};
    state.browseDir = "/home/u";
    const std::string path = dir_.File("sub/Qvrl.ini");  // the folder is made on first write
    WriteConfig(path, state);
    EXPECT_EQ(TempDir::Read(path), Crlf({"Quavrel v2.0 ConfigFile",
                                         "[Basic Config]",
                                         "/home/u/.config/quavrel/default.qpl",
                                         "List",
                                         "[Window Coordinates]",
                                         "307",
                                         "211",
                                         "410",
                                         "458",
                                         "PVisible",
                                         "151",
                                         "[Toolbar Coordinates]",
                                         "dTop1",
                                         "201",
                                         "0",
                                         "dRight",
                                         "0",
                                         "0",
                                         "dTop1",
                                         "0",
                                         "0",
                                         "dBottom",
                                         "0",
                                         "26",
                                         "303",
                                         "25",
                                         "FormVisible",
                                         "HotTrack",
                                         "[Toolbar Options]",
                                         "FVisible",
                                         "SVisible",
                                         "OVisible",
                                         "Loop",
                                         "NoShuffle",
                                         "Text",
                                         "/home/u",
                                         "Filtering ON",
                                         "RollerDown",
                                         "",
                                         "DefaultColors"}));
}

TEST_F(ConfigFileTest, EveryOptionIsAppliedAndWrittenBackTheSame) {
    const std::string bytes = Crlf(kEveryOption);
    TextLineReader reader(bytes);
    RecordingTarget target;
    ASSERT_TRUE(ApplyConfig(reader, target));
    EXPECT_TRUE(target.state.maximized);
    EXPECT_FALSE(target.shown);
    EXPECT_FALSE(target.state.explorerVisible);
    EXPECT_EQ(target.state.Toolbar(ToolbarId::System).dock, DockSide::Bottom);
    EXPECT_FALSE(target.state.loop);
    EXPECT_TRUE(target.state.shuffle);
    EXPECT_FALSE(target.state.filtering);
    EXPECT_TRUE(target.state.normalColors);

    // Lines 7 to 9 of a maximized window are read and ignored; the state keeps its own.
    target.state.formVisible = false;
    const std::string path = dir_.File("again.ini");
    WriteConfig(path, target.state);
    EXPECT_EQ(TempDir::Read(path), bytes);
}

TEST_F(ConfigFileTest, AppliesValuesInTheFilesOrderAndSetsToolbarPositionsTwice) {
    std::vector<std::string> lines = kEveryOption;
    lines[5] = "12";  // not maximized: the four numbers are applied
    lines[9] = "PVisible";
    TextLineReader reader(Crlf(lines));
    RecordingTarget target;
    ASSERT_TRUE(ApplyConfig(reader, target));
    const std::vector<std::string> expected{
        "file /music/lists/evening.qpl",
        "style Detailed",
        "left 12",
        "top 0",
        "width 410",
        "height 458",
        "explorer height 120",
        "options dock dLeft",
        "options left 0",
        "options top 0",
        "system dock dBottom",
        "system left 0",
        "system top 30",
        "functions dock dRight",
        "functions left 0",
        "functions top 0",
        "trackbar dock dTop1",
        "trackbar left 0",
        "trackbar top 0",
        "cold",
        "hide functions",
        "hide system",
        "hide options",
        "after toolbar options",
        "normal colours",
        "options left 0",
        "options top 0",
        "functions left 0",
        "functions top 0",
        "system left 0",
        "system top 30",
        "trackbar left 0",
        "trackbar top 0",
        "browse /music",
    };
    EXPECT_EQ(target.calls, expected);
}

TEST_F(ConfigFileTest, HeaderMustMatchExactlyOrNothingIsApplied) {
    std::vector<std::string> lines = kEveryOption;
    lines[0] = "QUAVREL v2.0 ConfigFile";
    TextLineReader reader(Crlf(lines));
    RecordingTarget target;
    EXPECT_FALSE(ApplyConfig(reader, target));
    EXPECT_TRUE(target.calls.empty());

    TextLineReader empty("");
    EXPECT_FALSE(ApplyConfig(empty, target));
}

TEST_F(ConfigFileTest, NonNumberStopsReadingWithTheConversionText) {
    std::vector<std::string> lines = kEveryOption;
    lines[5] = "100";
    lines[6] = "x";
    TextLineReader reader(Crlf(lines));
    RecordingTarget target;
    try {
        ApplyConfig(reader, target);
        FAIL() << "no error";
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "'x' is not a valid integer value");
    }
    // What came before the line stays applied; nothing after it is.
    EXPECT_EQ(target.calls, (std::vector<std::string>{"file /music/lists/evening.qpl",
                                                      "style Detailed", "left 100"}));
}

TEST_F(ConfigFileTest, FileEndingAfterLine26ReadsTheRestAsEmpty) {
    std::vector<std::string> lines(kEveryOption.begin(), kEveryOption.begin() + 26);
    lines[5] = "5";
    TextLineReader reader(Crlf(lines));
    RecordingTarget target;
    target.state.formVisible = true;
    ASSERT_TRUE(ApplyConfig(reader, target));
    EXPECT_FALSE(target.shown);
    EXPECT_FALSE(target.state.hotTrack);
    EXPECT_TRUE(target.state.functionsVisible && target.state.systemVisible &&
                target.state.optionsVisible);
    EXPECT_FALSE(target.state.loop);
    EXPECT_FALSE(target.state.shuffle);
    EXPECT_TRUE(target.state.textOnButtons);
    EXPECT_TRUE(target.state.filtering);
    EXPECT_EQ(target.state.playListDir, "");
    EXPECT_FALSE(target.state.normalColors);
    EXPECT_EQ(target.calls.back(), "browse ");
}

TEST_F(ConfigFileTest, FileEndingBeforeTheNumbersRaisesTheConversionErrorForTheEmptyLine) {
    TextLineReader reader(Crlf({"Quavrel v2.0 ConfigFile", "[Basic Config]", "/a.qpl"}));
    RecordingTarget target;
    EXPECT_THROW(
        {
            try {
                ApplyConfig(reader, target);
            } catch (const EConvertError& error) {
                EXPECT_STREQ(error.what(), "'' is not a valid integer value");
                throw;
            }
        },
        EConvertError);
}

TEST_F(ConfigFileTest, UnknownWordsLeaveTheirSettingsAlone) {
    std::vector<std::string> lines = kEveryOption;
    lines[3] = "detailed";     // style: letter case counts
    lines[12] = "dMiddle";     // Options: no such dock, it stays where it is
    lines[36] = "Filtering?";  // anything but "Filtering OFF" leaves filtering on
    lines[37] = "RollerUp";
    lines[39] = "normalcolors";
    TextLineReader reader(Crlf(lines));
    RecordingTarget target;
    ASSERT_TRUE(ApplyConfig(reader, target));
    EXPECT_EQ(target.state.viewStyle, "List");
    EXPECT_EQ(target.state.Toolbar(ToolbarId::Options).dock, DockSide::Top);
    EXPECT_TRUE(target.state.filtering);
    EXPECT_FALSE(target.state.normalColors);
}

TEST_F(ConfigFileTest, SettingsFolderThatIsAFileTakesNoConfiguration) {
    // A settings "folder" that is a file takes no configuration.
    const std::string notAFolder = dir_.Write("plain", "x");
    EXPECT_THROW(WriteConfig(notAFolder + "/Qvrl.ini", ConfigState{}), EInOutError);
    EXPECT_EQ(TempDir::Read(notAFolder), "x");
}

TEST_F(ConfigFileTest, FolderTakingNoFileLeavesTheOldFileWhole) {
    const std::string path = Write("old contents\r\n");
    std::filesystem::permissions(
        dir_.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    if (::access(dir_.Path().c_str(), W_OK) == 0)  // root writes anywhere: nothing to test
        GTEST_SKIP() << "the folder stays writable for this user";
    EXPECT_THROW(WriteConfig(path, ConfigState{}), EInOutError);
    std::filesystem::permissions(dir_.Path(), std::filesystem::perms::owner_all);
    EXPECT_EQ(TempDir::Read(path), "old contents\r\n");
}

TEST(StrToIntTest, ReadsWhatTheStandardConversionReads) {
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt("-12"), -12);
    EXPECT_EQ(StrToInt("  +7"), 7);
    EXPECT_EQ(StrToInt("$1F"), 31);
    EXPECT_EQ(StrToInt("0x10"), 16);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", " ", "x", "12 ", "1.5", "2147483648", "-", "$", "0x"}) {
        try {
            StrToInt(bad);
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.what(), "'" + std::string(bad) + "' is not a valid integer value");
        }
    }
}

TEST(StrToIntTest, ALineOfTenMillionDigitsFailsAtOnceAndIsShownByItsStart) {
    const std::string digits(10'000'000, '7');
    try {
        StrToInt(digits);
        FAIL() << "accepted ten million digits";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.what(), "'" + std::string(64, '7') + "...' is not a valid integer value");
    }
    // Leading zeros are read to their end, and the value stays in range.
    EXPECT_EQ(StrToInt(std::string(10'000'000, '0') + "42"), 42);
    // A cut never splits a UTF-8 character: 63 bytes of "a" and a two-byte "é" keep 63.
    try {
        StrToInt(std::string(63, 'a') + "\xC3\xA9" + std::string(10, 'b'));
        FAIL() << "accepted letters";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.what(), "'" + std::string(63, 'a') + "...' is not a valid integer value");
    }
}

TEST(ConfigFormatTest, DockNamesAndSettingsPaths) {
    for (DockSide dock :
         {DockSide::None, DockSide::Top, DockSide::Bottom, DockSide::Left, DockSide::Right})
        EXPECT_EQ(DockFromText(DockToText(dock)), dock);
    EXPECT_EQ(DockToText(DockSide::Top), "dTop1");
    EXPECT_FALSE(DockFromText("dtop1").has_value());
    EXPECT_EQ(WindowsDirFile("/home/u/.config/quavrel", kConfigFileName),
              "/home/u/.config/quavrel/Qvrl.ini");
}

}  // namespace
