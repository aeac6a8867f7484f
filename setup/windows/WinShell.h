#pragma once

#include <windows.h>

#include "Shell.h"

// WinShell: ShellExecuteExA with SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI, owned by the
// launcher's window; a process handle is the HANDLE the shell returned.
class WinShell final : public Shell {
public:
    // The owner of the shell's requests; may change after construction (the window is made
    // after the configuration has been read).
    HWND* owner = nullptr;

    Outcome Execute(const std::string& verb, const std::string& file) override;
    bool HasEnded(ProcessHandle process) override;
    void Close(ProcessHandle process) override;
};
