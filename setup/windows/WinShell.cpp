#include "windows/WinShell.h"

#include <shellapi.h>

Shell::Outcome WinShell::Execute(const std::string& verb, const std::string& file) {
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner ? *owner : nullptr;
    info.lpVerb = verb.c_str();
    info.lpFile = file.c_str();
    info.lpParameters = nullptr;
    info.lpDirectory = "";
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&info))
        return {};
    return {true, reinterpret_cast<ProcessHandle>(info.hProcess)};
}

bool WinShell::HasEnded(ProcessHandle process) {
    return WaitForSingleObject(reinterpret_cast<HANDLE>(process), 0) == WAIT_OBJECT_0;
}

void WinShell::Close(ProcessHandle process) {
    CloseHandle(reinterpret_cast<HANDLE>(process));
}
