#include "linux/PosixShell.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <filesystem>
#include <string>

#include "support/TempDir.h"

namespace {

// Waits until the child has ended without collecting it, as a Windows handle stays valid.
void AwaitEnd(ProcessHandle process) {
    siginfo_t info{};
    ASSERT_EQ(::waitid(P_PID, static_cast<id_t>(process), &info, WEXITED | WNOWAIT), 0);
}

class PosixShellTest : public ::testing::Test {
protected:
    PosixShellTest() : old_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder_.Path());
    }
    ~PosixShellTest() override { std::filesystem::current_path(old_); }

    std::string Script(const std::string& name, const std::string& body, bool executable = true) {
        const std::string path = folder_.Write(name, body);
        ::chmod(path.c_str(), executable ? 0755 : 0644);
        return path;
    }
    bool Exists(const std::string& name) const {
        return std::filesystem::exists(folder_.Path() / name);
    }

    TempDir folder_;
    std::filesystem::path old_;
};

TEST_F(PosixShellTest, InstallRunsExecutableProgramsAndScriptsInTheCurrentFolder) {
    PosixShell shell;
    Script("install.sh", "#!/bin/sh\ntouch installed-by-script\n");
    Script("plain.inf", "touch installed-by-sh\n");  // no "#!": /bin/sh runs it

    for (const char* name : {"install.sh", "plain.inf"}) {
        const Shell::Outcome outcome = shell.Execute("install", name);
        ASSERT_TRUE(outcome.Done) << name;
        ASSERT_NE(outcome.Process, NoProcess);
        AwaitEnd(outcome.Process);
        EXPECT_TRUE(shell.HasEnded(outcome.Process));
        EXPECT_TRUE(shell.HasEnded(outcome.Process));  // still held until Close
        shell.Close(outcome.Process);
    }
    EXPECT_TRUE(Exists("installed-by-script"));
    EXPECT_TRUE(Exists("installed-by-sh"));
}

TEST_F(PosixShellTest, InstallFailsForWhatIsNoExecutableFile) {
    PosixShell shell;
    Script("setup.inf", "#!/bin/sh\ntouch ran\n", false);
    std::filesystem::create_directory(folder_.Path() / "folder.inf");
    ::chmod(folder_.File("folder.inf").c_str(), 0755);
    Script("broken.inf", "#!/no/such/interpreter\n");

    for (const char* name : {"setup.inf", "missing.inf", "folder.inf", "", "broken.inf"}) {
        const Shell::Outcome outcome = shell.Execute("install", name);
        EXPECT_FALSE(outcome.Done) << name;
        EXPECT_EQ(outcome.Process, NoProcess) << name;
    }
    EXPECT_FALSE(Exists("ran"));
    EXPECT_FALSE(shell.Execute("print", "setup.inf").Done);
}

TEST_F(PosixShellTest, RunningProcessHasNotEnded) {
    PosixShell shell;
    Script("slow.sh", "#!/bin/sh\nexec sleep 30\n");
    const Shell::Outcome outcome = shell.Execute("install", "slow.sh");
    ASSERT_TRUE(outcome.Done);
    EXPECT_FALSE(shell.HasEnded(outcome.Process));
    ::kill(static_cast<pid_t>(outcome.Process), SIGKILL);
    AwaitEnd(outcome.Process);
    EXPECT_TRUE(shell.HasEnded(outcome.Process));
    shell.Close(outcome.Process);
}

TEST_F(PosixShellTest, OpenHandsTheFileToTheOpener) {
    const std::string opener = Script("fake-xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > opened\n");
    PosixShell shell(opener);
    folder_.Write("-readme.txt", "Read me.\n");

    const Shell::Outcome outcome = shell.Execute("open", "-readme.txt");
    ASSERT_TRUE(outcome.Done);
    ASSERT_NE(outcome.Process, NoProcess);
    AwaitEnd(outcome.Process);
    EXPECT_TRUE(shell.HasEnded(outcome.Process));
    shell.Close(outcome.Process);
    EXPECT_EQ(TempDir::Read(folder_.File("opened")), "./-readme.txt");

    EXPECT_FALSE(shell.Execute("open", "missing.txt").Done);
    EXPECT_FALSE(PosixShell(folder_.File("no-opener")).Execute("open", "-readme.txt").Done);
}

}  // namespace
