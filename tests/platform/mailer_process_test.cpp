// The packaged mailer rewrites its process title to its whole command line:
// the watch and the terminator must still know it by its name.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <atomic>
#include <filesystem>
#include <mutex>
#include <thread>
#include <string>
#include <vector>

#include "core/platform/platform_profile.h"
#include "core/processes/mail_command_lines.h"
#include "platform/launch_support.h"
#include "platform/posix/proc_process_table.h"
#include "support/loopback_listener.h"
#include "support/temp_dir.h"

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

// A local SMTP server that takes every mail and writes down what the
// client said: "MAIL FROM:<...>", "RCPT TO:<...>", and "USER name" for the
// name of an AUTH LOGIN (decoded).
class SmtpRecorder {
public:
    SmtpRecorder() {
        const LoopbackListener listener = listenOnLoopback();
        listener_ = listener.fd;
        port_ = listener.port;
        thread_ = std::thread([this] { serve(); });
    }
    ~SmtpRecorder() {
        stop_ = true;
        ::shutdown(listener_, SHUT_RDWR);
        thread_.join();
        ::close(listener_);
    }
    int port() const { return port_; }
    std::string dialogue() {
        const std::lock_guard lock(mutex_);
        return dialogue_;
    }
    void clear() {
        const std::lock_guard lock(mutex_);
        dialogue_.clear();
    }

private:
    static std::string decoded(const std::string& base64) {
        const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
        std::string out;
        unsigned int bits = 0;
        int count = 0;
        for (char c : base64) {
            const auto at = alphabet.find(c);
            if (at == std::string::npos) continue;
            bits = (bits << 6) | static_cast<unsigned int>(at);
            count += 6;
            if (count >= 8) {
                count -= 8;
                out += static_cast<char>((bits >> count) & 0xFF);
            }
        }
        return out;
    }
    void note(const std::string& line) {
        const std::lock_guard lock(mutex_);
        dialogue_ += line + "\n";
    }
    void serve() {
        while (!stop_) {
            pollfd wait{listener_, POLLIN, 0};
            if (::poll(&wait, 1, 100) <= 0) continue;
            const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (client < 0) continue;
            talk(client);
            ::close(client);
        }
    }
    void talk(int client) {
        const auto send = [client](const std::string& text) { (void)!::write(client, text.data(), text.size()); };
        std::string pending;
        const auto readLine = [&](std::string& line) {
            for (;;) {
                if (const auto end = pending.find("\r\n"); end != std::string::npos) {
                    line = pending.substr(0, end);
                    pending.erase(0, end + 2);
                    return true;
                }
                pollfd wait{client, POLLIN, 0};
                if (stop_ || ::poll(&wait, 1, 5000) <= 0) return false;
                char buffer[4096];
                const ssize_t n = ::read(client, buffer, sizeof buffer);
                if (n <= 0) return false;
                pending.append(buffer, static_cast<std::size_t>(n));
            }
        };
        send("220 recorder ESMTP\r\n");
        std::string line;
        while (readLine(line)) {
            if (line.starts_with("EHLO")) {
                send("250-recorder\r\n250 AUTH LOGIN PLAIN\r\n");
            } else if (line == "AUTH LOGIN") {
                send("334 VXNlcm5hbWU6\r\n");
                if (!readLine(line)) return;
                note("USER " + decoded(line));
                send("334 UGFzc3dvcmQ6\r\n");
                if (!readLine(line)) return;
                send("235 accepted\r\n");
            } else if (line.starts_with("MAIL FROM:") || line.starts_with("RCPT TO:")) {
                note(line);
                send("250 ok\r\n");
            } else if (line == "DATA") {
                send("354 go on\r\n");
                while (readLine(line) && line != ".") {
                }
                send("250 taken\r\n");
            } else if (line == "QUIT") {
                send("221 bye\r\n");
                return;
            } else {
                send("250 ok\r\n");
            }
        }
    }

    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_ = false;
    std::mutex mutex_;
    std::string dialogue_;
    std::thread thread_;
};

// Runs a composed mail line as its command file would, through /bin/sh,
// for at most eight seconds; what the mailer printed and logged.
std::string runMailLine(const TempDir& dir, const std::string& line, bool& timedOut) {
    const std::string out = dir / "out";
    const std::string script = dir / "line.sh";
    writeFile(script, line + "\n", 0600);
    const std::string command = "timeout 8 /bin/sh " + script + " >" + out + " 2>&1";
    const int status = std::system(command.c_str());
    timedOut = WIFEXITED(status) && WEXITSTATUS(status) == 124;
    return slurp(out).value_or("") + slurp(dir / "mailer.log").value_or("");
}

std::vector<std::string> addressesOf(const std::string& value) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : value + ",") {
        if (c == ',' || c == ';') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    return parts;
}

// Every value the mail settings hand the mailer as an argument of its own,
// through the line the e-mail window composes and the real mailer to a
// local server: the values the window refuses (mailerWouldMisread) are
// exactly those the mailer does not take as that field's value. Each of
// them is an option to it, or it stumbles on it ("0"); "-v" in Cc or Bcc
// turns on its debug log, which logs the password in base64.
TEST(MailerProcess, EveryFieldTheMailerTakesForAnOptionIsOneTheWindowRefuses) {
    if (!std::filesystem::exists(mailer)) GTEST_SKIP() << "sendemail is not installed";
    SmtpRecorder server;
    ASSERT_NE(server.port(), 0);
    const std::string serverAddress = "127.0.0.1:" + std::to_string(server.port());
    const PlatformProfile profile = PlatformProfile::posix("/nonexistent");
    const std::vector<std::string> options = {"-v", "-vv", "-V", "--help", "-h", "-", "-o", "-q", "0"};
    struct Field {
        const char* label;
        std::string MailFields::*field;
        std::vector<std::string> values;  // besides the options
    };
    const std::vector<std::string> addresses = {"-v@example.org", "a-v@example.org", "x@example.org,-v@example.org",
                                                "v@example.org", "0@example.org"};
    const Field fields[] = {
        {"from", &MailFields::from, {"-v@example.org", "a-v@example.org", "v@example.org", "0@example.org"}},
        {"to", &MailFields::to, addresses},
        {"cc", &MailFields::cc, addresses},
        {"bcc", &MailFields::bcc, addresses},
        {"user", &MailFields::user, {"-v@example.org", " -v", "a-v", "00", "v", "0x"}},
        {"server", &MailFields::server, {serverAddress}},
    };
    const std::string password = "pass word";
    const std::string passwordBase64 = "cGFzcyB3b3Jk";
    int cases = 0, leaks = 0;
    for (const Field& field : fields) {
        std::vector<std::string> values = options;
        values.insert(values.end(), field.values.begin(), field.values.end());
        for (const std::string& value : values) {
            TempDir dir;
            MailFields f;
            f.mailerFolder = "/usr/bin";
            f.from = "node@example.org";
            f.to = "me@example.org";
            f.server = serverAddress;
            f.user = "me";
            f.password = password;
            f.tls = "no";
            f.logFile = dir / "mailer.log";
            f.reportFile = dir / "report.log";
            f.*field.field = value;
            server.clear();
            bool timedOut = false;
            const std::string said = runMailLine(dir, startMailCommand(profile, f, "SYNCWARD - LTC - STARTED"), timedOut);
            const std::string heard = server.dialogue();
            // Did the value reach the mailer as this field's value?
            bool arrived = false;
            const std::string label = field.label;
            if (label == "from") {
                arrived = heard.find("MAIL FROM:<" + value + ">") != std::string::npos;
            } else if (label == "user") {
                arrived = heard.find("USER " + value + "\n") != std::string::npos;
            } else if (label == "server") {
                arrived = heard.find("MAIL FROM:<node@example.org>") != std::string::npos;
            } else {
                arrived = !addressesOf(value).empty();
                for (const std::string& address : addressesOf(value))
                    arrived = arrived && heard.find("RCPT TO:<" + address + ">") != std::string::npos;
            }
            const bool debugOn = said.find("DEBUG =>") != std::string::npos || said.find("INFO =>") != std::string::npos;
            // Its own words for an argument it did not take as the value.
            const bool complained = said.find("The argument after") != std::string::npos ||
                                    said.find("is not a recognized option") != std::string::npos ||
                                    said.find("Synopsis:") != std::string::npos;
            const bool misread = timedOut || debugOn || complained || !arrived;
            EXPECT_EQ(misread, mailerWouldMisread(value)) << label << " [" << value << "]: " << said << heard;
            if (debugOn && said.find(passwordBase64) != std::string::npos) ++leaks;
            ++cases;
        }
    }
    EXPECT_EQ(cases, 6 * 9 + 4 + 3 * 5 + 6 + 1);
    EXPECT_GT(leaks, 0) << "the mailer's debug log never showed the password: the refusal guards nothing";
}

}  // namespace
}  // namespace syncward::testing
