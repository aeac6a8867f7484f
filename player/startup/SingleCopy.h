#pragma once

#include <chrono>
#include <string>
#include <string_view>

// One running copy per settings folder, under any load. The first copy holds an exclusive lock
// on a file beside its socket for as long as it runs; a later start hands its message to the
// socket and ends. A start that finds no socket to talk to takes the lock, and only with the
// lock removes a socket left by a copy that crashed: so a socket that a live copy answers on is
// never removed, and of two starts racing with no copy running exactly one becomes the player,
// while the other waits for it to listen. A copy that holds the lock but does not answer within
// the wait is given up on; that start then runs nothing. Plain POSIX; blocks for up to the wait.
class SingleCopy {
public:
    enum class Outcome {
        First,       // this process holds the lock: it is the copy that runs
        HandedOver,  // the running copy took the whole message
        NoAnswer     // a copy holds the lock but took nothing within the wait
    };

    // The folder of the sockets and locks: $XDG_RUNTIME_DIR, else /tmp/runtime-USER (made with
    // mode 0700 when missing), as the desktop's toolkits use it.
    static std::string RuntimeFolder();
    // The socket for id in RuntimeFolder ("/" in id becomes "_"); its lock is this path and
    // ".lock".
    static std::string SocketPath(const std::string& id);

    // Hands message to the copy that listens at socketPath, or takes the lock when none runs
    // (removing a socket left behind). Connections refused for a full backlog, and a copy that
    // holds the lock but does not listen yet, are tried again until wait has passed. A second
    // call in the process that holds the lock returns First at once.
    static Outcome Claim(const std::string& socketPath, std::string_view message,
                         std::chrono::milliseconds wait);
    // Only the hand-over: true when the copy listening at socketPath took the whole message,
    // trying again while its backlog is full, until wait has passed. Takes no lock.
    static bool Send(const std::string& socketPath, std::string_view message,
                     std::chrono::milliseconds wait);
    // True when this process holds the lock for socketPath.
    static bool Holds(const std::string& socketPath);
};
