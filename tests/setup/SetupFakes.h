#pragma once

#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "IniProfile.h"
#include "LauncherTimer.h"
#include "LauncherWindow.h"
#include "Shell.h"

// Fakes of the launcher's services. They share one log of what the launcher asked for, in
// order, and one clock in milliseconds that only the fake timer moves.
struct LauncherWorld {
    std::vector<std::string> log;
    int nowMs = 0;
};

// The real reader on the real file, recording which keys were read.
class RecordingProfile final : public ProfileReader {
public:
    explicit RecordingProfile(LauncherWorld& world) : world_(world) {}
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue, std::size_t bufferSize,
                           const std::string& fileName) override {
        world_.log.push_back("read " + section + "/" + key + " " + std::to_string(bufferSize));
        return real_.ReadString(section, key, defaultValue, bufferSize, fileName);
    }

private:
    LauncherWorld& world_;
    IniProfile real_;
};

// A shell whose verbs do what the test set: by default every verb fails, as for a missing file.
class FakeShell final : public Shell {
public:
    explicit FakeShell(LauncherWorld& world) : world_(world) {}

    // The verb on the file succeeds and starts `process` (NoProcess: starts none).
    void Accept(const std::string& verb, const std::string& file, ProcessHandle process) {
        accepted_[verb + " " + file] = process;
    }
    // The process ends now.
    void End(ProcessHandle process) { ended_.insert(process); }
    const std::multiset<ProcessHandle>& Closed() const { return closed_; }

    Outcome Execute(const std::string& verb, const std::string& file) override {
        world_.log.push_back("execute " + verb + " " + file);
        const auto it = accepted_.find(verb + " " + file);
        if (it == accepted_.end())
            return {};
        return {true, it->second};
    }
    bool HasEnded(ProcessHandle process) override {
        if (closed_.count(process))
            throw std::logic_error("a closed process was polled");
        return ended_.count(process) > 0;
    }
    void Close(ProcessHandle process) override {
        if (!ended_.count(process))
            throw std::logic_error("a running process was let go");
        closed_.insert(process);
        world_.log.push_back("close " + std::to_string(process));
    }

private:
    LauncherWorld& world_;
    std::map<std::string, ProcessHandle> accepted_;
    std::set<ProcessHandle> ended_;
    std::multiset<ProcessHandle> closed_;
};

class FakeLauncherWindow final : public LauncherWindow {
public:
    explicit FakeLauncherWindow(LauncherWorld& world) : world_(world) {}

    void Register() override { world_.log.push_back("register"); }
    void Create() override { world_.log.push_back("create"); }
    void ShowMessage(const std::string& text, const std::string& caption, Icon icon) override {
        world_.log.push_back(std::string(icon == Icon::Warning ? "warning" : "information") + " [" +
                             caption + "] " + text + " at " + std::to_string(world_.nowMs));
    }
    void Destroy() override { world_.log.push_back("destroy"); }

private:
    LauncherWorld& world_;
};

// Timer 1 on the fake clock: Advance moves the clock and ticks at every whole period since the
// timer was started, for as long as it runs.
class FakeLauncherTimer final : public LauncherTimer {
public:
    explicit FakeLauncherTimer(LauncherWorld& world) : world_(world) {}

    std::function<void()> OnTick;
    bool Running() const { return running_; }

    void Start(int periodMs) override {
        world_.log.push_back("start timer " + std::to_string(periodMs));
        running_ = true;
        period_ = periodMs;
        nextTick_ = world_.nowMs + periodMs;
    }
    void Stop() override {
        world_.log.push_back("stop timer");
        running_ = false;
    }
    void AdvanceTo(int ms) {
        while (running_ && nextTick_ <= ms) {
            world_.nowMs = nextTick_;
            nextTick_ += period_;
            OnTick();
        }
        world_.nowMs = ms;
    }

private:
    LauncherWorld& world_;
    bool running_ = false;
    int period_ = 0;
    int nextTick_ = 0;
};
