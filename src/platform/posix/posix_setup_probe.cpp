#include "platform/posix/posix_setup_probe.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/posix/own_descendants.h"

extern char** environ;

namespace syncward {

namespace {

using Clock = std::chrono::steady_clock;

int msLeft(Clock::time_point end) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
    return left < 0 ? 0 : static_cast<int>(left);
}

// One attempt on one address: the connected socket, or -1 (and nothing
// left open).
int connectedTo(const addrinfo& address, Clock::time_point end) {
    const int fd = ::socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, address.ai_protocol);
    if (fd < 0) return -1;
    bool ok = ::connect(fd, address.ai_addr, address.ai_addrlen) == 0;
    if (!ok && errno == EINPROGRESS) {
        pollfd wait{fd, POLLOUT, 0};
        int ready;
        while ((ready = ::poll(&wait, 1, msLeft(end))) < 0 && errno == EINTR) {
        }
        int error = 0;
        socklen_t size = sizeof error;
        ok = ready == 1 && ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
    }
    if (ok) return fd;
    ::close(fd);
    return -1;
}

// Reads until the first line end, the end of the connection or the limit,
// whichever comes first; a server that trickles its bytes is still held
// to the one limit.
ServerGreeting firstLine(int fd, Clock::time_point end) {
    std::string received;
    bool closed = false;
    char buffer[greetingMaxBytes];
    while (received.find('\n') == std::string::npos && received.size() < greetingMaxBytes) {
        pollfd wait{fd, POLLIN, 0};
        const int ready = ::poll(&wait, 1, msLeft(end));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) break;
        const ssize_t n = ::recv(fd, buffer, greetingMaxBytes - received.size(), 0);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (n <= 0) {
            closed = true;
            break;
        }
        received.append(buffer, static_cast<std::size_t>(n));
    }
    return greetingOf(received, closed);
}

}  // namespace

PathFacts PosixSetupProbe::path(const std::string& path) {
    PathFacts facts;
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) return facts;
    facts.exists = true;
    facts.folder = S_ISDIR(st.st_mode);
    facts.readable = ::access(path.c_str(), R_OK) == 0;
    facts.writable = ::access(path.c_str(), W_OK) == 0;
    facts.executable = !facts.folder && ::access(path.c_str(), X_OK) == 0;
    facts.sharedWithOthers = (st.st_mode & (S_IRGRP | S_IROTH)) != 0;
    return facts;
}

ServerGreeting PosixSetupProbe::greeting(const std::string& host, int port, int limitMs) {
    if (port <= 0 || port > 65535) return {};
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(limitMs);
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return {};
    int fd = -1;
    for (const addrinfo* a = found; a && fd < 0 && msLeft(end) > 0; a = a->ai_next) fd = connectedTo(*a, end);
    ::freeaddrinfo(found);
    if (fd < 0) return {};
    const ServerGreeting greeting = firstLine(fd, end);
    ::close(fd);
    return greeting;
}

ProgramOutput PosixSetupProbe::runToEnd(const std::vector<std::string>& argv, int limitMs) {
    ProgramOutput out;
    if (argv.empty()) return out;
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0) return out;
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    ::posix_spawn_file_actions_adddup2(&actions, pipe[1], 1);
    ::posix_spawn_file_actions_adddup2(&actions, pipe[1], 2);
    // The program starts with no blocked or ignored signal of ours.
    posix_spawnattr_t attributes;
    ::posix_spawnattr_init(&attributes);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    ::posix_spawnattr_setsigmask(&attributes, &none);
    ::posix_spawnattr_setsigdefault(&attributes, &all);
    ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid_t child = -1;
    std::unique_lock ownChildren = lockOwnChildren();
    const int spawned = ::posix_spawn(&child, args[0], &actions, &attributes, args.data(), environ);
    if (spawned == 0) noteOwnChild(child);
    ownChildren.unlock();
    ::posix_spawn_file_actions_destroy(&actions);
    ::posix_spawnattr_destroy(&attributes);
    ::close(pipe[1]);
    if (spawned != 0) {
        ::close(pipe[0]);
        return out;
    }
    out.started = true;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(limitMs);
    char buffer[4096];
    for (;;) {
        pollfd wait{pipe[0], POLLIN, 0};
        const int ready = ::poll(&wait, 1, msLeft(end));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) {
            out.timedOut = true;
            ::kill(child, SIGKILL);
            break;
        }
        const ssize_t n = ::read(pipe[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;  // every writer closed its end: the program ended
        if (out.text.size() < 64 * 1024) out.text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(pipe[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    forgetOwnChild(child);
    if (!out.timedOut && WIFEXITED(status)) out.status = WEXITSTATUS(status);
    return out;
}

std::vector<std::string> PosixSetupProbe::programFolders() {
    std::vector<std::string> folders;
    const char* path = std::getenv("PATH");
    std::string rest = path ? path : "/usr/local/bin:/usr/bin:/bin";
    for (std::size_t start = 0; start <= rest.size();) {
        const std::size_t colon = rest.find(':', start);
        const std::string folder = rest.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        if (!folder.empty()) folders.push_back(folder);
        if (colon == std::string::npos) break;
        start = colon + 1;
    }
    return folders;
}

std::vector<std::string> PosixSetupProbe::folderNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        names.push_back(entry.path().filename().string());
    return names;
}

}  // namespace syncward
