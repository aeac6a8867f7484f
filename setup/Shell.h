#pragma once

#include <cstdint>
#include <string>

// A started process as the shell hands it back: a Windows process handle or a Linux process id.
using ProcessHandle = std::uintptr_t;
inline constexpr ProcessHandle NoProcess = 0;

// Shell: carries out a verb ("install", "open") on a file, the way ShellExecuteExA does with
// SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI: no error dialogs of its own, and the handle of
// the process it started, if it started one. Called on the launcher's one thread; Execute
// returns as soon as the process has been started, never waiting for it to end.
class Shell {
public:
    struct Outcome {
        bool Done = false;                  // the shell carried out the verb
        ProcessHandle Process = NoProcess;  // NoProcess when it started none (or failed)
    };

    virtual ~Shell() = default;

    // Relative file names are taken relative to the current folder.
    virtual Outcome Execute(const std::string& verb, const std::string& file) = 0;
    // True once the process has ended (a wait with zero timeout); never blocks.
    virtual bool HasEnded(ProcessHandle process) = 0;
    // Lets go of a process that has ended; the handle is not used again.
    virtual void Close(ProcessHandle process) = 0;
};
