#include "startup/BusProbe.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>

#include "textfile/TextEncoding.h"

namespace {

using Clock = std::chrono::steady_clock;

// The value of key in the "key=value,key=value" part of one address, %-escapes decoded.
std::optional<std::string> Value(std::string_view keys, std::string_view key) {
    while (!keys.empty()) {
        const std::size_t comma = keys.find(',');
        const std::string_view pair = keys.substr(0, comma);
        if (pair.size() > key.size() && pair.starts_with(key) && pair[key.size()] == '=') {
            std::string value;
            const std::string_view raw = pair.substr(key.size() + 1);
            for (std::size_t i = 0; i < raw.size(); ++i) {
                const int high =
                    i + 2 < raw.size() && raw[i] == '%' ? HexDigitValue(raw[i + 1]) : -1;
                const int low = high >= 0 ? HexDigitValue(raw[i + 2]) : -1;
                if (raw[i] == '%' && high >= 0 && low >= 0) {
                    value += static_cast<char>(high * 16 + low);
                    i += 2;
                } else {
                    value += raw[i];
                }
            }
            return value;
        }
        if (comma == std::string_view::npos)
            break;
        keys.remove_prefix(comma + 1);
    }
    return std::nullopt;
}

bool WaitFor(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return false;
        pollfd ready{fd, events, 0};
        const int n = ::poll(&ready, 1, static_cast<int>(left));
        if (n > 0)
            return (ready.revents & events) != 0;
        if (n < 0 && errno != EINTR)
            return false;
    }
}

}  // namespace

std::optional<std::string> BusSocketOf(std::string_view address) {
    address = address.substr(0, address.find(';'));
    if (!address.starts_with("unix:"))
        return std::nullopt;
    const std::string_view keys = address.substr(5);
    if (auto path = Value(keys, "path"); path && !path->empty())
        return path;
    if (auto abstract = Value(keys, "abstract"); abstract && !abstract->empty())
        return std::string(1, '\0') + *abstract;
    return std::nullopt;
}

bool BusAnswers(std::string_view address, std::chrono::milliseconds wait) {
    if (!address.substr(0, address.find(';')).starts_with("unix:"))
        return true;  // another transport: not probed
    const std::optional<std::string> socketPath = BusSocketOf(address);
    sockaddr_un where{};
    if (!socketPath || socketPath->size() >= sizeof where.sun_path)
        return false;
    where.sun_family = AF_UNIX;
    std::memcpy(where.sun_path, socketPath->data(), socketPath->size());
    const auto length = static_cast<socklen_t>(
        offsetof(sockaddr_un, sun_path) + socketPath->size() + ((*socketPath)[0] == '\0' ? 0 : 1));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    const Clock::time_point deadline = Clock::now() + wait;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&where), length) != 0 &&
        !(errno == EINPROGRESS || errno == EAGAIN))
        return false;
    // The credentials byte, then an AUTH with no mechanism: every bus answers it at once with
    // the mechanisms it offers ("REJECTED EXTERNAL ..."). Nothing is authenticated here.
    const std::string_view hello("\0AUTH\r\n", 7);
    std::size_t sent = 0;
    while (sent < hello.size()) {
        if (!WaitFor(fd, POLLOUT, deadline))
            return false;
        const ssize_t n = ::send(fd, hello.data() + sent, hello.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        sent += n > 0 ? static_cast<std::size_t>(n) : 0;
    }
    if (!WaitFor(fd, POLLIN, deadline))
        return false;
    char answer[64];
    const ssize_t n = ::recv(fd, answer, sizeof answer, 0);
    return n > 0;
}
