// The mail server's greeting as the set-up check hears it, from real
// listeners on 127.0.0.1: one that greets, one that takes the connection and
// never speaks, one that hangs up, one that trickles a line, and none.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/posix/posix_setup_probe.h"
#include "support/loopback_listener.h"

namespace syncward::testing {
namespace {

using Outcome = ServerGreeting::Outcome;

// A listening socket on 127.0.0.1 with a port of the system's choosing.
// Without words and without hanging up it never accepts: connections wait
// in its queue, taken by the kernel, and hear nothing. Otherwise it takes
// each connection and says its words, one write per piece with a pause
// between, then keeps the connection open until it closes, or hangs up.
class Listener {
public:
    explicit Listener(std::vector<std::string> pieces = {}, bool hangUp = false) {
        const LoopbackListener listener = listenOnLoopback();
        fd_ = listener.fd;
        port_ = listener.port;
        if (!pieces.empty() || hangUp) server_ = std::thread([this, pieces, hangUp] { serve(pieces, hangUp); });
    }
    ~Listener() { close(); }
    void close() {
        stop_ = true;
        if (server_.joinable()) server_.join();
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }
    int port() const { return port_; }

private:
    void serve(const std::vector<std::string>& pieces, bool hangUp) {
        std::vector<int> taken;
        while (!stop_) {
            pollfd ready{fd_, POLLIN, 0};
            if (::poll(&ready, 1, 20) != 1) continue;
            const int connection = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection < 0) continue;
            for (std::size_t i = 0; i < pieces.size(); ++i) {
                if (i > 0) std::this_thread::sleep_for(std::chrono::milliseconds(150));
                ::send(connection, pieces[i].data(), pieces[i].size(), MSG_NOSIGNAL);
            }
            if (hangUp)
                ::close(connection);
            else
                taken.push_back(connection);
        }
        for (const int connection : taken) ::close(connection);
    }

    int fd_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread server_;
};

struct Heard {
    ServerGreeting greeting;
    double seconds = 0;
};

Heard hear(int port, int limitMs) {
    PosixSetupProbe probe;
    const auto start = std::chrono::steady_clock::now();
    Heard heard{probe.greeting("127.0.0.1", port, limitMs)};
    heard.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return heard;
}

TEST(SetupProbe, AServerThatTakesTheConnectionAndNeverSpeaksIsSilentAtTheLimitAndNoLater) {
    Listener silent;
    ASSERT_NE(silent.port(), 0);
    const Heard heard = hear(silent.port(), 800);
    EXPECT_EQ(heard.greeting.outcome, Outcome::Silent);
    EXPECT_TRUE(heard.greeting.line.empty());
    EXPECT_GE(heard.seconds, 0.7);
    EXPECT_LT(heard.seconds, 2.0);

    // A part of a line, then nothing: still silent, with what came.
    Listener halfLine({"220 mail.t"});
    const Heard half = hear(halfLine.port(), 800);
    EXPECT_EQ(half.greeting.outcome, Outcome::Silent);
    EXPECT_EQ(half.greeting.line, "220 mail.t");
    EXPECT_LT(half.seconds, 2.0);
}

TEST(SetupProbe, TheGreetingIsTheFirstWholeLineHoweverItArrives) {
    Listener greets({"220 mail.test ESMTP ready\r\n250 not read\r\n"});
    Heard heard = hear(greets.port(), 5000);
    EXPECT_EQ(heard.greeting.outcome, Outcome::Line);
    EXPECT_EQ(heard.greeting.line, "220 mail.test ESMTP ready");
    EXPECT_LT(heard.seconds, 2.0);  // the line ends the wait, not the limit

    // In three writes, with pauses between them.
    Listener trickles({"22", "0-first ", "part\r\n220 second line\r\n"});
    heard = hear(trickles.port(), 5000);
    EXPECT_EQ(heard.greeting.outcome, Outcome::Line);
    EXPECT_EQ(heard.greeting.line, "220-first part");

    // A server that never ends its line is taken at its first 512 bytes.
    Listener endless({std::string(600, 'x')});
    heard = hear(endless.port(), 5000);
    EXPECT_EQ(heard.greeting.outcome, Outcome::Line);
    EXPECT_EQ(heard.greeting.line, std::string(greetingMaxBytes, 'x'));

    // Who hangs up says something or nothing, but never greets.
    Listener refuses({"554 no mail from you\r\n"}, true);
    heard = hear(refuses.port(), 5000);
    EXPECT_EQ(heard.greeting.outcome, Outcome::Line);
    EXPECT_EQ(heard.greeting.line, "554 no mail from you");
    Listener hangsUp({}, true);
    EXPECT_EQ(hear(hangsUp.port(), 5000).greeting.outcome, Outcome::Closed);
}

TEST(SetupProbe, NothingListeningIsNoConnection) {
    Listener gone;
    const int port = gone.port();
    gone.close();
    const Heard heard = hear(port, 2000);
    EXPECT_EQ(heard.greeting.outcome, Outcome::NoConnection);
    EXPECT_LT(heard.seconds, 1.0);  // refused at once, not waited out
    EXPECT_EQ(hear(0, 2000).greeting.outcome, Outcome::NoConnection);
}

}  // namespace
}  // namespace syncward::testing
