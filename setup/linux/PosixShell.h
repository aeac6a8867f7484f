#pragma once

#include "Shell.h"

// PosixShell: the shell verbs on a Linux desktop. "install" runs the named file when it is an
// executable program or script (a script without "#!" runs under /bin/sh), and fails for
// anything else; "open" hands the file to the desktop's default application through the opener
// (xdg-open), started as a child process whose end is what the launcher waits for. Other verbs
// fail. A process handle is the child's process id; the child stays a zombie until Close, so
// its id cannot be reused while the launcher still holds it.
class PosixShell final : public Shell {
public:
    // `opener` is run with the file as its only argument; a name without "/" is looked up in
    // PATH.
    explicit PosixShell(std::string opener = "xdg-open");

    Outcome Execute(const std::string& verb, const std::string& file) override;
    bool HasEnded(ProcessHandle process) override;
    void Close(ProcessHandle process) override;

private:
    std::string opener_;
};
