#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

namespace syncward::testing {

// Runs check in a child process of its own, which may change what the test
// program must not (become a reaper of orphans, drop to another user); what
// it returns comes back as its answer, "the checking process died" when it
// did not end normally.
inline std::string inOwnProcess(const std::function<std::string()>& check) {
    int pipe[2];
    if (::pipe(pipe) != 0) return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe[0]);
        const std::string answer = check();
        const bool written = ::write(pipe[1], answer.data(), answer.size()) == static_cast<ssize_t>(answer.size());
        ::_exit(written ? 0 : 3);
    }
    ::close(pipe[1]);
    std::string answer;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipe[0], buffer, sizeof buffer)) > 0;) answer.append(buffer, static_cast<std::size_t>(n));
    ::close(pipe[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? answer : "the checking process died";
}

}  // namespace syncward::testing
