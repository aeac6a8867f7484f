// Writing the settings and a play list where writing fails: a folder the user cannot write to,
// and a full disk (a small tmpfs filled up). The old files must stay whole, no temporary file
// may be left behind, and the user must read why. Both folders are made in a mount namespace
// of the test's own; where the system allows no mount (and for a full disk nothing else will
// do) the test says so and skips.
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QAction>
#include <QTest>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>

#include "TQuavrel.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeMediaDevice.h"
#include "fakes/FakeMessageBox.h"
#include "support/FindPart.h"
#include "support/TempDir.h"
#include "support/WavWriter.h"

namespace fs = std::filesystem;

class WriteFailureTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TQuavrel> Start() {
        return std::make_unique<TQuavrel>(QuavrelServices{media_, clock_, messages_, dialogs_,
                                                          settings_.string(), [] { return true; }});
    }

    // A first run leaves the four files: the configuration, the filter list, the Linux-only
    // settings and a play list saved by the user. Gives their bytes by name.
    void FirstRun(std::map<std::string, std::string>& files) {
        const std::string song = music_->File("song.wav");
        WriteWav(song, 50);
        auto window = Start();
        window->FileListFileDrop({song}, 0, 0);
        dialogs_.choice = Dialogs::Choice{(settings_ / "list.qpl").string(), 1};
        Part<QAction>(*window, "Save1")->trigger();
        window->close();
        QVERIFY2(messages_.shown.empty(), "the first run could not write its files");
        for (const char* name : {"Qvrl.ini", "Qvrl.flt", "quavrel.conf", "list.qpl"})
            files[name] = TempDir::Read((settings_ / name).string());
    }

    // A second run changes what it would write, then saves the play list and closes, both of
    // which must fail. Returns the texts the user was shown; the window is left in window.
    std::vector<std::string> FailingRun(std::unique_ptr<TQuavrel>& window) {
        messages_.shown.clear();
        window = Start();
        window->TBLoopClick();  // the configuration would differ
        window->FileListFileDrop({music_->File("song.wav"), music_->File("song.wav")}, 0, 0);
        Part<QAction>(*window, "Save1")->trigger();
        window->close();
        std::vector<std::string> texts;
        for (const auto& shown : messages_.shown)
            texts.push_back(shown.text);
        // The settings could not be written: the window stays, so nothing is lost.
        if (!window->isVisible())
            texts.push_back("(the window closed)");
        return texts;
    }

    // The files are as they were, and no temporary file is left beside them.
    void CheckWhole(const std::map<std::string, std::string>& before) {
        for (const auto& [name, bytes] : before)
            QCOMPARE(TempDir::Read((settings_ / name).string()), bytes);
        for (const auto& entry : fs::directory_iterator(settings_)) {
            const std::string name = entry.path().filename().string();
            QVERIFY2(before.count(name) || name == "filler", name.c_str());
        }
    }

    // Once writing works again, the window leaves and writes the new settings.
    void CheckLeavesOnceWritable(TQuavrel& window,
                                 const std::map<std::string, std::string>& before) {
        unblock_();
        unblock_ = [] {};
        window.close();
        QVERIFY(!window.isVisible());
        QVERIFY(TempDir::Read((settings_ / "Qvrl.ini").string()) != before.at("Qvrl.ini"));
    }

    // Makes the settings folder take no writes and sets unblock_ to undo it; false when that
    // failed. Root writes through any permission bits: only a read-only mount stops it.
    bool BlockWrites() {
        if (::geteuid() != 0) {
            if (::chmod(settings_.c_str(), 0555) != 0)
                return false;
            unblock_ = [this] { ::chmod(settings_.c_str(), 0755); };
            return true;
        }
        if (::mount(settings_.c_str(), settings_.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
            ::mount(nullptr, settings_.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY,
                    nullptr) != 0)
            return false;
        unblock_ = [this] {
            ::mount(nullptr, settings_.c_str(), nullptr, MS_REMOUNT | MS_BIND, nullptr);
        };
        return true;
    }

    // Mounts a fresh tmpfs of the given size on settings_.
    bool MountTmpfs(const char* size) {
        const std::string options = std::string("size=") + size;
        return ::mount("tmpfs", settings_.c_str(), "tmpfs", 0, options.c_str()) == 0;
    }

    FakeMediaDevice media_;
    FakeClock clock_;
    FakeMessageBox messages_;
    FakeDialogs dialogs_;
    std::unique_ptr<TempDir> root_, music_;
    fs::path settings_;
    bool namespace_ = false;
    std::function<void()> unblock_;

private slots:
    void initTestCase() {
        // A mount namespace of this process's own: what it mounts nobody else sees, and it all
        // goes when the test ends. Needs the right to mount (root in CI).
        namespace_ = ::unshare(CLONE_NEWNS) == 0 &&
                     ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    }

    void init() {
        root_ = std::make_unique<TempDir>();
        music_ = std::make_unique<TempDir>();
        settings_ = root_->Path() / "quavrel";
        fs::create_directories(settings_);
        messages_.shown.clear();
        unblock_ = [] {};
    }

    void cleanup() {
        unblock_();
        if (namespace_)
            ::umount2(settings_.c_str(), MNT_DETACH);
    }

    void aFolderThatTakesNoWritesKeepsTheOldFiles() {
        std::map<std::string, std::string> before;
        FirstRun(before);
        if (QTest::currentTestFailed())
            return;
        if (::geteuid() == 0 && !namespace_)
            QSKIP("root, and no mount allowed: a read-only folder cannot be made");
        QVERIFY(BlockWrites());
        std::unique_ptr<TQuavrel> window;
        const auto texts = FailingRun(window);
        const std::string filterFile = (settings_ / "Qvrl.flt").string();
        QCOMPARE(texts, (std::vector<std::string>{"File access denied",
                                                  "Cannot create file " + filterFile}));
        CheckWhole(before);
        CheckLeavesOnceWritable(*window, before);
    }

    void aFullDiskKeepsTheOldFiles() {
        if (!namespace_)
            QSKIP("no mount allowed here: a full disk cannot be simulated");
        QVERIFY(MountTmpfs("256k"));
        std::map<std::string, std::string> before;
        FirstRun(before);
        if (QTest::currentTestFailed())
            return;
        // Fill what is left of the disk.
        const std::string filler = (settings_ / "filler").string();
        {
            const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT, 0644);
            QVERIFY(fd >= 0);
            const std::string block(4096, 'x');
            while (::write(fd, block.data(), block.size()) > 0) {
            }
            const std::string byte(1, 'x');
            while (::write(fd, byte.data(), 1) > 0) {
            }
            QCOMPARE(errno, ENOSPC);
            ::close(fd);
        }
        unblock_ = [filler] { ::unlink(filler.c_str()); };

        std::unique_ptr<TQuavrel> window;
        const auto texts = FailingRun(window);
        const std::string filterFile = (settings_ / "Qvrl.flt").string();
        QCOMPARE(texts,
                 (std::vector<std::string>{"Disk full", "Cannot create file " + filterFile}));
        CheckWhole(before);
        CheckLeavesOnceWritable(*window, before);
    }

    // After saying why once, the next Exit ends the program even though the folder still takes
    // nothing: a user is never kept in a program that cannot leave. Nothing is said again and
    // the old files stay whole.
    void aSecondExitEndsWhileTheFolderStillTakesNothing() {
        if (!namespace_ && ::geteuid() == 0)
            QSKIP("root, and no mount allowed: a read-only folder cannot be made");
        std::map<std::string, std::string> before;
        FirstRun(before);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(BlockWrites());
        std::unique_ptr<TQuavrel> window;
        const auto texts = FailingRun(window);
        QVERIFY(window->isVisible());
        const std::size_t said = messages_.shown.size();
        window->close();
        QVERIFY(!window->isVisible());
        QCOMPARE(messages_.shown.size(), said);
        CheckWhole(before);
    }
};

QTEST_MAIN(WriteFailureTest)
#include "WriteFailureTest.moc"
