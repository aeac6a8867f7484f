#include "linux/PosixShell.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <utility>
#include <vector>

namespace {

// A relative name is taken in the current folder, and never read as an option or looked up in
// PATH: "setup.inf" becomes "./setup.inf".
std::string InCurrentFolder(const std::string& file) {
    return (file.empty() || file.front() == '/') ? file : "./" + file;
}

// Starts `argv[0]` with the arguments and returns its process id, or NoProcess when it could
// not be started. A close-on-exec pipe tells the parent whether exec succeeded.
ProcessHandle Spawn(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    int status[2];
    if (::pipe2(status, O_CLOEXEC) != 0)
        return NoProcess;
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(status[0]);
        ::close(status[1]);
        return NoProcess;
    }
    if (pid == 0) {
        ::close(status[0]);
        ::execvp(argv[0], argv.data());
        const int error = errno;
        [[maybe_unused]] const ssize_t written = ::write(status[1], &error, sizeof error);
        ::_exit(127);
    }
    ::close(status[1]);
    int error = 0;
    ssize_t got;
    do {
        got = ::read(status[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    ::close(status[0]);
    if (got > 0) {
        int ignored;
        ::waitpid(pid, &ignored, 0);
        return NoProcess;
    }
    return static_cast<ProcessHandle>(pid);
}

bool IsExecutableFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

PosixShell::PosixShell(std::string opener) : opener_(std::move(opener)) {}

Shell::Outcome PosixShell::Execute(const std::string& verb, const std::string& file) {
    const std::string path = InCurrentFolder(file);
    ProcessHandle process = NoProcess;
    if (verb == "install") {
        if (!IsExecutableFile(path))
            return {};
        process = Spawn({path});
    } else if (verb == "open") {
        if (path.empty() || ::access(path.c_str(), F_OK) != 0)
            return {};
        process = Spawn({opener_, path});
    }
    if (process == NoProcess)
        return {};
    return {true, process};
}

bool PosixShell::HasEnded(ProcessHandle process) {
    siginfo_t info{};
    // WNOWAIT leaves the ended child a zombie until Close, as a Windows handle keeps it.
    if (::waitid(P_PID, static_cast<id_t>(process), &info, WEXITED | WNOHANG | WNOWAIT) != 0)
        return errno == ECHILD;  // not our child (any more): nothing left to wait for
    return info.si_pid != 0;
}

void PosixShell::Close(ProcessHandle process) {
    int ignored;
    ::waitpid(static_cast<pid_t>(process), &ignored, WNOHANG);
}
