#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace syncward::testing {

// A helper server a test needs beside it (a display, a bus): started with
// its standard output on a pipe the test reads, ended when the test ends.
class BackgroundProcess {
public:
    explicit BackgroundProcess(const std::vector<std::string>& argv) {
        int out[2];
        if (::pipe2(out, O_CLOEXEC) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], 1);
            const int null = ::open("/dev/null", O_RDWR);
            ::dup2(null, 0);
            ::dup2(null, 2);
            std::vector<char*> args;
            for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
            args.push_back(nullptr);
            ::execvp(args[0], args.data());
            ::_exit(127);
        }
        ::close(out[1]);
        out_ = out[0];
    }
    ~BackgroundProcess() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
        if (out_ >= 0) ::close(out_);
    }
    BackgroundProcess(const BackgroundProcess&) = delete;
    BackgroundProcess& operator=(const BackgroundProcess&) = delete;

    bool started() const { return pid_ > 0; }

    // The next line of its output; nullopt when it ended first or the limit
    // (which only keeps a broken test from hanging) passed.
    std::optional<std::string> readLine(int limitMs = 10000) {
        std::string line;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
        while (std::chrono::steady_clock::now() < end) {
            pollfd ready{out_, POLLIN, 0};
            if (::poll(&ready, 1, 50) <= 0) continue;
            char c = 0;
            if (::read(out_, &c, 1) != 1) return std::nullopt;
            if (c == '\n') return line;
            line += c;
        }
        return std::nullopt;
    }

private:
    pid_t pid_ = -1;
    int out_ = -1;
};

}  // namespace syncward::testing
