#include "startup/SingleCopy.h"

#include <fcntl.h>
#include <poll.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// The locks taken in this process, by socket path, with the process that took them (a child
// made by fork inherits the map, not the lock's ownership); kept open until the process ends.
struct HeldLock {
    pid_t process;
    int fd;
};
std::map<std::string, HeldLock>& HeldLocks() {
    static std::map<std::string, HeldLock> locks;
    return locks;
}

enum class Send { Sent, NoListener, Busy, Failed };

bool WaitWritable(int fd, Clock::time_point deadline) {
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return false;
        pollfd ready{fd, POLLOUT, 0};
        const int n = ::poll(&ready, 1, static_cast<int>(left));
        if (n > 0)
            return (ready.revents & POLLOUT) != 0;
        if (n < 0 && errno != EINTR)
            return false;
    }
}

Send TrySend(const std::string& path, std::string_view message, Clock::time_point deadline) {
    sockaddr_un address{};
    if (path.size() >= sizeof address.sun_path)
        return Send::Failed;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return Send::Failed;
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        if (errno == ENOENT || errno == ECONNREFUSED)
            return Send::NoListener;
        if (errno == EAGAIN || errno == EINTR)
            return Send::Busy;  // the backlog is full: the copy is there, and busy
        return Send::Failed;
    }
    std::size_t done = 0;
    while (done < message.size()) {
        const ssize_t n = ::send(fd, message.data() + done, message.size() - done, MSG_NOSIGNAL);
        if (n >= 0) {
            done += static_cast<std::size_t>(n);
        } else if (errno == EAGAIN) {
            if (!WaitWritable(fd, deadline))
                return Send::Failed;
        } else if (errno != EINTR) {
            return Send::Failed;
        }
    }
    // The bytes wait in the socket until the copy reads them, also after this end is closed.
    ::shutdown(fd, SHUT_WR);
    return Send::Sent;
}

bool TakeLock(const std::string& socketPath) {
    if (SingleCopy::Holds(socketPath))
        return true;
    const std::string lockPath = socketPath + ".lock";
    const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    HeldLocks()[socketPath] = HeldLock{::getpid(), fd};
    return true;
}

}  // namespace

std::string SingleCopy::RuntimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime != '\0')
        return runtime;
    const passwd* user = ::getpwuid(::geteuid());
    const std::string folder = std::string("/tmp/runtime-") +
                               (user != nullptr ? user->pw_name : std::to_string(::geteuid()));
    ::mkdir(folder.c_str(), 0700);
    return folder;
}

std::string SingleCopy::SocketPath(const std::string& id) {
    std::string name = id;
    for (char& c : name)
        if (c == '/')
            c = '_';
    return RuntimeFolder() + "/" + name;
}

SingleCopy::Outcome SingleCopy::Claim(const std::string& socketPath, std::string_view message,
                                      std::chrono::milliseconds wait) {
    if (Holds(socketPath))
        return Outcome::First;
    const Clock::time_point deadline = Clock::now() + wait;
    std::minstd_rand jitter(static_cast<unsigned>(::getpid()));
    for (;;) {
        switch (TrySend(socketPath, message, deadline)) {
            case Send::Sent:
                return Outcome::HandedOver;
            case Send::NoListener:
                if (TakeLock(socketPath)) {
                    // Whatever socket is there, no live copy answers on it: it holds no lock.
                    ::unlink(socketPath.c_str());
                    return Outcome::First;
                }
                break;  // a copy runs and does not listen yet
            case Send::Busy:
                break;
            case Send::Failed:
                // Taken partly or not at all by a copy that holds the lock: never a second
                // player beside it.
                if (!TakeLock(socketPath))
                    return Outcome::NoAnswer;
                ::unlink(socketPath.c_str());
                return Outcome::First;
        }
        if (Clock::now() >= deadline)
            return Outcome::NoAnswer;
        std::this_thread::sleep_for(std::chrono::milliseconds(5 + jitter() % 20));
    }
}

bool SingleCopy::Send(const std::string& socketPath, std::string_view message,
                      std::chrono::milliseconds wait) {
    const Clock::time_point deadline = Clock::now() + wait;
    for (;;) {
        const ::Send sent = TrySend(socketPath, message, deadline);
        if (sent != ::Send::Busy)
            return sent == ::Send::Sent;
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

bool SingleCopy::Holds(const std::string& socketPath) {
    const auto held = HeldLocks().find(socketPath);
    return held != HeldLocks().end() && held->second.process == ::getpid();
}
