#include "startup/BusProbe.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <thread>

#include "support/TempDir.h"

namespace {

using namespace std::chrono_literals;

TEST(BusProbeTest, ReadsTheSocketOfAnAddress) {
    EXPECT_EQ(BusSocketOf("unix:path=/run/user/1000/bus"), "/run/user/1000/bus");
    EXPECT_EQ(BusSocketOf("unix:path=/tmp/a%20b,guid=0123"), "/tmp/a b");
    EXPECT_EQ(BusSocketOf("unix:guid=0123,abstract=/tmp/dbus-XYZ;tcp:host=h"),
              std::string(1, '\0') + "/tmp/dbus-XYZ");
    EXPECT_EQ(BusSocketOf("tcp:host=localhost,port=1"), std::nullopt);
    EXPECT_EQ(BusSocketOf("unix:tmpdir=/tmp"), std::nullopt);
    EXPECT_EQ(BusSocketOf(""), std::nullopt);
    EXPECT_TRUE(BusAnswers("tcp:host=localhost,port=1", 10ms));  // not probed
}

class BusProbeServer : public ::testing::Test {
protected:
    void Listen() {
        listening_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path_.c_str(), sizeof address.sun_path - 1);
        ASSERT_EQ(::bind(listening_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ASSERT_EQ(::listen(listening_, 4), 0);
    }
    void TearDown() override {
        if (listening_ >= 0)
            ::close(listening_);
    }

    TempDir dir_;
    std::string path_ = dir_.File("bus");
    int listening_ = -1;
};

TEST_F(BusProbeServer, ABusThatAcceptsAndNeverAnswersIsGivenUpOnInTime) {
    Listen();  // the kernel accepts; nobody ever reads or writes
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(BusAnswers("unix:path=" + path_, 200ms));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
}

TEST_F(BusProbeServer, ABusThatAnswersTheHandshakeAnswers) {
    Listen();
    std::thread bus([this] {
        const int client = ::accept(listening_, nullptr, nullptr);
        char bytes[16];
        std::size_t got = 0;
        while (got < 7) {
            const ssize_t n = ::read(client, bytes + got, sizeof bytes - got);
            if (n <= 0)
                break;
            got += static_cast<std::size_t>(n);
        }
        const char reply[] = "REJECTED EXTERNAL\r\n";
        [[maybe_unused]] const ssize_t n = ::write(client, reply, sizeof reply - 1);
        ::close(client);
    });
    EXPECT_TRUE(BusAnswers("unix:path=" + path_ + ",guid=1", 5s));
    bus.join();
}

TEST_F(BusProbeServer, NoBusAtTheAddressIsNoBus) {
    EXPECT_FALSE(BusAnswers("unix:path=" + path_, 1s));  // nothing there
    EXPECT_FALSE(BusAnswers("unix:tmpdir=/tmp", 1s));
}

}  // namespace
