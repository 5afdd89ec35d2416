// The packaged mailer rewrites its process title to its whole command line:
// the watch and the terminator must still know it by its name.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/launch_support.h"
#include "platform/posix/proc_process_table.h"

namespace syncward::testing {
namespace {

constexpr const char* mailer = "/usr/bin/sendemail";

// A listener on 127.0.0.1 that never answers: the mailer connects and waits
// for a greeting that does not come, so it stays running until ended.
class SilentServer {
public:
    SilentServer() {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (::bind(fd_, reinterpret_cast<sockaddr*>(&address), size) != 0 || ::listen(fd_, 4) != 0 ||
            ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size) != 0)
            port_ = 0;
        else
            port_ = ntohs(address.sin_port);
    }
    ~SilentServer() { ::close(fd_); }
    int port() const { return port_; }

private:
    int fd_ = -1;
    int port_ = 0;
};

TEST(MailerProcess, TheRetitledMailerIsSeenByItsNameAndEndedByIt) {
    if (!std::filesystem::exists(mailer)) GTEST_SKIP() << "sendemail is not installed";
    SilentServer server;
    ASSERT_NE(server.port(), 0);
    const std::string target = "127.0.0.1:" + std::to_string(server.port());
    std::vector<std::string> argv = {mailer, "-f", "node@example.org", "-t", "me@example.org", "-u",
                                     "SYNCWARD - LTC - STARTED", "-m", "started", "-s", target, "-q"};
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const int devNull = ::open("/dev/null", O_RDWR);
        ::dup2(devNull, 0);
        ::dup2(devNull, 1);
        ::dup2(devNull, 2);
        std::vector<char*> args;
        for (std::string& arg : argv) args.push_back(arg.data());
        args.push_back(nullptr);
        ::execv(mailer, args.data());
        ::_exit(127);
    }
    ProcProcessTable table;
    const auto running = [&table] {
        const auto answer = table.running({"sendemail"});
        return answer && (*answer)[0];
    };
    // Its title is its command line once it runs; neither its thread name
    // nor its executable (perl) is "sendemail" then.
    const bool retitled = eventually([&] {
        const auto cmdline = slurp("/proc/" + std::to_string(child) + "/cmdline");
        return cmdline && cmdline->starts_with("sendemail -f ");
    });
    EXPECT_TRUE(retitled);
    const auto comm = slurp("/proc/" + std::to_string(child) + "/comm");
    EXPECT_NE(comm.value_or(""), "sendemail\n");
    EXPECT_TRUE(running()) << "the retitled mailer was not seen";
    EXPECT_FALSE((*table.running({"sendemail -f"}))[0]);  // the first word only, not any prefix

    table.terminate("sendemail");
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_FALSE(running());
}

}  // namespace
}  // namespace syncward::testing
