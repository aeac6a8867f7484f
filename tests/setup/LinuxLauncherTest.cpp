// The Linux launcher end to end, on a real X display (run under xvfb-run): the real
// configuration reader, real child processes, the Qt window and message boxes. A poller stands in
// for the user: it reads each message box and answers it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "linux/RunLauncher.h"
#include "support/TempDir.h"

namespace {

struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString windowTitle;  // of the window the box belongs to
    bool windowMaximized = false;
    bool windowCoversScreen = false;
    QColor windowColour;
    bool installed = false;  // the installer's marker existed when the box came up
    qint64 atMs = 0;
};

class LinuxLauncherTest : public ::testing::Test {
protected:
    LinuxLauncherTest() : old_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder_.Path());
        // The desktop's opener, as the launcher finds it in PATH.
        Script("bin/xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > opened\n");
        oldPath_ = std::getenv("PATH") ? std::getenv("PATH") : "";
        ::setenv("PATH", (folder_.File("bin") + ":" + oldPath_).c_str(), 1);
    }
    ~LinuxLauncherTest() override {
        ::setenv("PATH", oldPath_.c_str(), 1);
        std::filesystem::current_path(old_);
    }

    void Script(const std::string& name, const std::string& body) {
        ::chmod(folder_.Write(name, body).c_str(), 0755);
    }
    bool Exists(const std::string& name) const {
        return std::filesystem::exists(folder_.Path() / name);
    }

    // Runs the launcher, answering every message box with "OK"; `poll` runs on every look.
    int Run(const std::function<void()>& poll = {}) {
        QElapsedTimer clock;
        clock.start();
        QTimer user;
        QObject::connect(&user, &QTimer::timeout, [&] {
            if (poll)
                poll();
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            SeenBox seen;
            seen.caption = box->windowTitle();
            seen.text = box->text();
            seen.icon = box->icon();
            if (QWidget* window = box->parentWidget()) {
                seen.windowTitle = window->windowTitle();
                seen.windowMaximized = window->isMaximized() && window->isVisible();
                seen.windowCoversScreen =
                    window->frameGeometry().contains(window->screen()->availableGeometry());
                seen.windowColour = window->palette().color(QPalette::Window);
            }
            seen.installed = Exists("installed");
            seen.atMs = clock.elapsed();
            boxes_.push_back(seen);
            box->button(QMessageBox::Ok)->click();
        });
        user.start(10);
        const int code = RunLauncher();
        elapsedMs_ = clock.elapsed();
        return code;
    }

    TempDir folder_;
    std::filesystem::path old_;
    std::string oldPath_;
    std::vector<SeenBox> boxes_;
    qint64 elapsedMs_ = 0;
};

TEST_F(LinuxLauncherTest, RunsTheInstallerAndReportsSuccessOnceItHasEnded) {
    folder_.Write("kitbem.cfg", "[setup]\ninf=install.sh\napp=Quavrel Setup\nrme=readme.txt\n");
    Script("install.sh", "#!/bin/sh\nsleep 1\ntouch installed\n");
    folder_.Write("readme.txt", "Read me.\n");

    EXPECT_EQ(Run(), 0);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "Installation successful");
    EXPECT_EQ(boxes_[0].caption, "Quavrel Setup");
    EXPECT_EQ(boxes_[0].icon, QMessageBox::Information);
    EXPECT_EQ(boxes_[0].windowTitle, "kitbem");
    EXPECT_TRUE(boxes_[0].windowMaximized);
    EXPECT_TRUE(boxes_[0].windowCoversScreen);
    EXPECT_EQ(boxes_[0].windowColour, QColor(128, 0, 128));
    EXPECT_TRUE(boxes_[0].installed);
    EXPECT_GE(boxes_[0].atMs, 1000);
    EXPECT_EQ(TempDir::Read(folder_.File("opened")), "./readme.txt");
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty() ||
                std::none_of(QApplication::topLevelWidgets().begin(),
                             QApplication::topLevelWidgets().end(),
                             [](QWidget* widget) { return widget->isVisible(); }));
}

TEST_F(LinuxLauncherTest, WithoutInstallerWarnsAndEnds) {
    folder_.Write("readme.txt", "Read me.\n");

    EXPECT_EQ(Run(), 0);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "Could not find INF file");
    EXPECT_EQ(boxes_[0].caption, "Setup");
    EXPECT_EQ(boxes_[0].icon, QMessageBox::Warning);
    EXPECT_EQ(boxes_[0].windowTitle, "kitbem");
    EXPECT_TRUE(boxes_[0].windowMaximized);
    EXPECT_FALSE(Exists("opened"));
}

TEST_F(LinuxLauncherTest, ClosingTheWindowEndsAtOnceAndLeavesTheInstallerRunning) {
    Script("setup.inf", "#!/bin/sh\necho $$ > pid\nexec sleep 30\n");

    EXPECT_EQ(Run([] {
                  for (QWidget* widget : QApplication::topLevelWidgets()) {
                      if (widget->windowTitle() == "kitbem" && widget->isVisible())
                          widget->close();
                  }
              }),
              0);
    EXPECT_TRUE(boxes_.empty());
    EXPECT_LT(elapsedMs_, 10000);
    // The installer (or its shell, before it wrote its id) is still running.
    const pid_t installer = [&] {
        // The shell makes the file before it writes the id: wait for the id itself.
        for (int tries = 0; tries < 1000 && TempDir::Read(folder_.File("pid")).empty(); ++tries)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        return static_cast<pid_t>(std::stoi(TempDir::Read(folder_.File("pid"))));
    }();
    EXPECT_EQ(::kill(installer, 0), 0);
    ::kill(installer, SIGKILL);
    int ignored;
    ::waitpid(installer, &ignored, 0);
}

}  // namespace
