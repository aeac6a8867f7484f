#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "TQuavrel.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeMediaDevice.h"
#include "fakes/FakeMessageBox.h"
#include "support/TempDir.h"

// What a main window under test runs on: a media device without sound, a clock the test sets,
// message boxes and file dialogs that record and answer, and a settings folder of its own.
// A test class derives from it (after QObject or ::testing::Test) and starts windows on
// Services(). Header only: the support library does not link the user interface.
class MainWindowFakes {
protected:
    explicit MainWindowFakes(std::uint32_t timeOfDayMs = 0) : clock_(timeOfDayMs) {}

    // A fresh, empty settings folder in place of the current one.
    void NewSettingsFolder() { settings_ = std::make_unique<TempDir>(); }

    // The fakes and the settings folder, with a desktop that shows tray icons or not.
    QuavrelServices Services(bool trayAvailable = true) {
        return ServicesIn(settings_->Path().string(), trayAvailable);
    }
    // The same with the settings in another folder.
    QuavrelServices ServicesIn(const std::string& settingsFolder, bool trayAvailable = true) {
        return QuavrelServices{media_,   clock_,         messages_,
                               dialogs_, settingsFolder, [trayAvailable] { return trayAvailable; }};
    }

    // A window on Services(), shown.
    std::unique_ptr<TQuavrel> StartShown() {
        auto window = std::make_unique<TQuavrel>(Services());
        window->show();
        return window;
    }

    // A media file written into dir that the fake device plays for lengthMs.
    std::string AddMedia(TempDir& dir, const std::string& name, std::int64_t lengthMs = 10000) {
        const std::string path = dir.Write(name, "media");
        media_.AddFile(path, lengthMs);
        return path;
    }

    FakeMediaDevice media_;
    FakeClock clock_;
    FakeMessageBox messages_;
    FakeDialogs dialogs_;
    std::unique_ptr<TempDir> settings_ = std::make_unique<TempDir>();
};
