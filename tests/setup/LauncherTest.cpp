#include "Launcher.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "SetupFakes.h"
#include "support/TempDir.h"

namespace {

using ::testing::ElementsAre;

// Each test runs in a fresh current folder, where the launcher looks for kitbem.cfg.
class LauncherTest : public ::testing::Test {
protected:
    LauncherTest() : old_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder_.Path());
        timer_.OnTick = [this] { launcher_.TimerTick(); };
    }
    ~LauncherTest() override { std::filesystem::current_path(old_); }

    // The log from the first timer event on (everything after the start sequence).
    std::vector<std::string> LogAfterStart() const {
        std::vector<std::string> tail;
        bool started = false;
        for (const std::string& line : world_.log) {
            started = started || line == "start timer 200";
            if (started && line != "start timer 200")
                tail.push_back(line);
        }
        return tail;
    }

    TempDir folder_;
    std::filesystem::path old_;
    LauncherWorld world_;
    RecordingProfile profile_{world_};
    FakeShell shell_{world_};
    FakeLauncherWindow window_{world_};
    FakeLauncherTimer timer_{world_};
    Launcher launcher_{profile_, shell_, window_, timer_};
};

TEST_F(LauncherTest, WithoutConfigFileInstallsSetupInfAndOpensReadmeCaptionedSetup) {
    shell_.Accept("install", "setup.inf", 11);
    shell_.Accept("open", "readme.txt", 12);

    launcher_.Start();
    EXPECT_THAT(world_.log, ElementsAre("register", "read setup/inf 64", "read setup/app 64",
                                        "read setup/rme 64", "create", "execute install setup.inf",
                                        "execute open readme.txt", "start timer 200"));
    EXPECT_EQ(launcher_.CurrentState(), Launcher::State::Installing);
    EXPECT_EQ(launcher_.InstallProcess(), 11u);
    EXPECT_EQ(launcher_.ReadmeProcess(), 12u);

    shell_.End(11);
    shell_.End(12);
    timer_.AdvanceTo(1000);
    EXPECT_THAT(LogAfterStart(),
                ElementsAre("close 11", "close 12", "stop timer",
                            "information [Setup] Installation successful at 400", "destroy"));
    EXPECT_EQ(launcher_.CurrentState(), Launcher::State::Finished);
    EXPECT_FALSE(timer_.Running());
    EXPECT_EQ(shell_.Closed().size(), 2u);
}

TEST_F(LauncherTest, WithoutInfWarnsAndEndsWithoutTimer) {
    shell_.Accept("open", "readme.txt", 12);

    launcher_.Start();
    EXPECT_THAT(world_.log, ElementsAre("register", "read setup/inf 64", "read setup/app 64",
                                        "read setup/rme 64", "create", "execute install setup.inf",
                                        "warning [Setup] Could not find INF file at 0", "destroy"));
    EXPECT_EQ(launcher_.CurrentState(), Launcher::State::Failed);
    EXPECT_FALSE(timer_.Running());
}

TEST_F(LauncherTest, ReadmeClosedFirstWaitsForInstallation) {
    shell_.Accept("install", "setup.inf", 11);
    shell_.Accept("open", "readme.txt", 12);
    launcher_.Start();

    timer_.AdvanceTo(250);
    shell_.End(12);  // the user closes the read-me
    timer_.AdvanceTo(3000);
    EXPECT_THAT(LogAfterStart(), ElementsAre("close 12"));
    EXPECT_EQ(launcher_.ReadmeProcess(), NoProcess);
    EXPECT_EQ(launcher_.InstallProcess(), 11u);

    // Seen ended on the tick at 3200; success on the next one.
    shell_.End(11);
    timer_.AdvanceTo(5000);
    EXPECT_THAT(LogAfterStart(),
                ElementsAre("close 12", "close 11", "stop timer",
                            "information [Setup] Installation successful at 3400", "destroy"));
}

TEST_F(LauncherTest, InstallationThatStartsNoProcessSucceedsOnFirstTick) {
    shell_.Accept("install", "setup.inf", NoProcess);
    shell_.Accept("open", "readme.txt", NoProcess);
    launcher_.Start();

    timer_.AdvanceTo(199);
    EXPECT_TRUE(LogAfterStart().empty());
    timer_.AdvanceTo(1000);
    EXPECT_THAT(
        LogAfterStart(),
        ElementsAre("stop timer", "information [Setup] Installation successful at 200", "destroy"));
    EXPECT_TRUE(shell_.Closed().empty());
}

TEST_F(LauncherTest, ReadmeThatCannotBeOpenedIsIgnored) {
    shell_.Accept("install", "setup.inf", 11);
    launcher_.Start();
    EXPECT_EQ(world_.log.back(), "start timer 200");
    EXPECT_EQ(launcher_.ReadmeProcess(), NoProcess);

    timer_.AdvanceTo(500);
    shell_.End(11);
    timer_.AdvanceTo(2000);
    EXPECT_THAT(LogAfterStart(),
                ElementsAre("close 11", "stop timer",
                            "information [Setup] Installation successful at 800", "destroy"));
}

TEST_F(LauncherTest, ConfiguredNamesAreUsedCutTo63Characters) {
    const std::string longName(70, 'i');
    folder_.Write("kitbem.cfg",
                  "[setup]\r\ninf=" + longName + "\r\napp=Quavrel Setup\r\nrme=liesmich.txt\r\n");
    shell_.Accept("install", longName.substr(0, 63), 11);
    shell_.Accept("open", "liesmich.txt", 12);

    launcher_.Start();
    EXPECT_EQ(launcher_.Config().Inf, longName.substr(0, 63));
    EXPECT_EQ(launcher_.Config().App, "Quavrel Setup");
    EXPECT_EQ(launcher_.InstallProcess(), 11u);
    EXPECT_EQ(launcher_.ReadmeProcess(), 12u);

    shell_.End(11);
    shell_.End(12);
    timer_.AdvanceTo(400);
    EXPECT_EQ(LogAfterStart().at(3), "information [Quavrel Setup] Installation successful at 400");
}

TEST_F(LauncherTest, MissingKeysKeepTheirDefaults) {
    folder_.Write("kitbem.cfg", "[setup]\napp=Installer\n[other]\ninf=other.inf\n");

    launcher_.Start();
    EXPECT_EQ(launcher_.Config().Inf, "setup.inf");
    EXPECT_EQ(launcher_.Config().App, "Installer");
    EXPECT_EQ(launcher_.Config().Rme, "readme.txt");
    EXPECT_EQ(world_.log.at(world_.log.size() - 2),
              "warning [Installer] Could not find INF file at 0");
}

}  // namespace
