#include "startup/SingleCopy.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <vector>

#include "startup/HandOverReader.h"
#include "support/TempDir.h"

namespace {

using namespace std::chrono_literals;
using Outcome = SingleCopy::Outcome;

int Listen(const std::string& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 8) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Serves path as a running copy does: accepts and reads whole messages until count arrived or
// the time is up; returns the names read, in order of arrival.
std::vector<std::string> Serve(int listening, std::size_t count, std::chrono::seconds limit) {
    std::vector<std::string> names;
    std::map<int, HandOverReader> open;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (names.size() < count && std::chrono::steady_clock::now() < deadline) {
        std::vector<pollfd> fds{{listening, POLLIN, 0}};
        for (const auto& [fd, reader] : open)
            fds.push_back({fd, POLLIN, 0});
        if (::poll(fds.data(), fds.size(), 100) <= 0)
            continue;
        if (fds[0].revents & POLLIN) {
            const int fd = ::accept4(listening, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0)
                open.try_emplace(fd);
        }
        for (std::size_t k = 1; k < fds.size(); ++k) {
            if (!(fds[k].revents & (POLLIN | POLLHUP)))
                continue;
            char chunk[4096];
            const ssize_t n = ::read(fds[k].fd, chunk, sizeof chunk);
            HandOverReader& reader = open[fds[k].fd];
            const auto state = n > 0 ? reader.Feed(std::string_view(chunk, n)) : reader.Close();
            if (state == HandOverReader::State::Reading)
                continue;
            if (state == HandOverReader::State::Complete)
                names.emplace_back(reader.Name());
            ::close(fds[k].fd);
            open.erase(fds[k].fd);
        }
    }
    for (const auto& [fd, reader] : open)
        ::close(fd);
    return names;
}

class SingleCopyTest : public ::testing::Test {
protected:
    TempDir dir_;
    // A socket path of its own for each test: the locks this process holds stay until it ends.
    std::string path_ =
        dir_.File("quavrel-" + std::to_string(::getpid()) + "-" + std::to_string(++made_));
    static inline int made_ = 0;
};

TEST_F(SingleCopyTest, TheFirstStartHoldsTheLockAndALaterOneHandsItsMessageOver) {
    ASSERT_EQ(SingleCopy::Claim(path_, "first\n\n", 1s), Outcome::First);
    EXPECT_TRUE(SingleCopy::Holds(path_));
    EXPECT_EQ(SingleCopy::Claim(path_, "again\n\n", 1s), Outcome::First);  // the same process
    const int listening = Listen(path_);
    ASSERT_GE(listening, 0);
    const pid_t later = ::fork();
    if (later == 0)
        ::_exit(SingleCopy::Claim(path_, "later\n/a.ogg\n\n", 5s) == Outcome::HandedOver ? 0 : 1);
    EXPECT_EQ(Serve(listening, 1, 10s), std::vector<std::string>{"later"});
    int status = 0;
    ::waitpid(later, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    ::close(listening);
}

TEST_F(SingleCopyTest, ALiveCopyThatDoesNotAnswerKeepsItsSocketAndGetsNoSecondPlayer) {
    ASSERT_EQ(SingleCopy::Claim(path_, "first\n\n", 1s), Outcome::First);
    // A socket the live copy made and does not accept on: connections are refused.
    const int listening = Listen(path_);
    ASSERT_GE(listening, 0);
    ::close(listening);  // the file stays, nobody listens: what a hung or starting copy shows
    ASSERT_TRUE(std::filesystem::exists(path_));
    const pid_t later = ::fork();
    if (later == 0)
        ::_exit(static_cast<int>(SingleCopy::Claim(path_, "later\n\n", 300ms)));
    int status = 0;
    ::waitpid(later, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(Outcome::NoAnswer));
    EXPECT_TRUE(std::filesystem::exists(path_)) << "the live copy's socket was removed";
}

TEST_F(SingleCopyTest, ASocketLeftByACrashedCopyIsReplacedByTheNextStart) {
    const int left = Listen(path_);
    ASSERT_GE(left, 0);
    ::close(left);  // the copy died without removing it, and holds no lock
    const pid_t next = ::fork();
    if (next == 0) {
        if (SingleCopy::Claim(path_, "next\n\n", 1s) != Outcome::First)
            ::_exit(1);
        ::_exit(std::filesystem::exists(path_) ? 2 : 0);
    }
    int status = 0;
    ::waitpid(next, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

// Racing starts with no copy running: exactly one becomes the player (it serves the others for
// a while and reports how many messages it read as 100 + count); every other hands over.
TEST_F(SingleCopyTest, RacingStartsEndWithOnePlayerThatGetsEveryMessage) {
    constexpr int kStarts = 24;
    int go[2];
    ASSERT_EQ(::pipe(go), 0);
    std::vector<pid_t> starts;
    for (int k = 0; k < kStarts; ++k) {
        const pid_t start = ::fork();
        if (start == 0) {
            ::close(go[1]);
            char ready;
            [[maybe_unused]] const ssize_t n = ::read(go[0], &ready, 1);  // all at once
            const std::string message = "start" + std::to_string(k) + "\n/f.ogg\n\n";
            switch (SingleCopy::Claim(path_, message, 10s)) {
                case Outcome::HandedOver:
                    ::_exit(0);
                case Outcome::NoAnswer:
                    ::_exit(1);
                case Outcome::First:
                    break;
            }
            const int listening = Listen(path_);
            if (listening < 0)
                ::_exit(2);
            ::_exit(100 + static_cast<int>(Serve(listening, kStarts - 1, 15s).size()));
        }
        starts.push_back(start);
    }
    ::close(go[0]);
    ::close(go[1]);  // every start reads the end at once
    int players = 0, handedOver = 0, served = -1;
    for (const pid_t start : starts) {
        int status = 0;
        ::waitpid(start, &status, 0);
        const int code = WEXITSTATUS(status);
        if (code >= 100) {
            ++players;
            served = code - 100;
        } else if (code == 0) {
            ++handedOver;
        }
    }
    EXPECT_EQ(players, 1);
    EXPECT_EQ(handedOver, kStarts - 1);
    EXPECT_EQ(served, kStarts - 1);
}

TEST_F(SingleCopyTest, TwoHundredConcurrentHandOversAllArrive) {
    ASSERT_EQ(SingleCopy::Claim(path_, "first\n\n", 1s), Outcome::First);
    const int listening = Listen(path_);  // a backlog of 8: most starts find it full at first
    ASSERT_GE(listening, 0);
    constexpr int kStarts = 200;
    std::vector<pid_t> starts;
    for (int k = 0; k < kStarts; ++k) {
        const pid_t start = ::fork();
        if (start == 0) {
            const std::string message = "s" + std::to_string(k) + "\n/f.ogg\n\n";
            ::_exit(SingleCopy::Claim(path_, message, 20s) == Outcome::HandedOver ? 0 : 1);
        }
        starts.push_back(start);
    }
    const std::vector<std::string> names = Serve(listening, kStarts, 30s);
    int failed = 0;
    for (const pid_t start : starts) {
        int status = 0;
        ::waitpid(start, &status, 0);
        failed += WEXITSTATUS(status) != 0;
    }
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(names.size(), static_cast<std::size_t>(kStarts));
    ::close(listening);
}

}  // namespace
