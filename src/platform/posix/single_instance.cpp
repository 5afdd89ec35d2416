#include "platform/posix/single_instance.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace syncward {

namespace {

// Whether the process still is a copy under this name: the process id in
// the lock file is only sent a signal while it names one, never a process
// that took the number over.
bool isCopyNamed(long pid, const std::string& executableName) {
    std::ifstream cmdline("/proc/" + std::to_string(pid) + "/cmdline", std::ios::binary);
    std::string argv0;
    if (!std::getline(cmdline, argv0, '\0')) return false;
    const auto slash = argv0.find_last_of('/');
    return (slash == std::string::npos ? argv0 : argv0.substr(slash + 1)) == executableName;
}

}  // namespace

std::string SingleInstance::defaultFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime && ::access(runtime, W_OK) == 0) return runtime;
    return "/tmp";
}

SingleInstance::SingleInstance(const std::string& folder, const std::string& executableName)
    : executableName_(executableName) {
    // The user's id in the name keeps users apart in a shared /tmp.
    const std::string path = folder + "/syncward-" + std::to_string(::getuid()) + "-" + executableName + ".lock";
    // Close-on-exec: the node and every other program the run starts must
    // not carry the lock on after this copy has ended.
    descriptor_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (descriptor_ < 0) return;
    if (tryLock()) return;
    heldElsewhere_ = errno == EWOULDBLOCK;
    if (heldElsewhere_) return;
    ::close(descriptor_);
    descriptor_ = -1;
}

SingleInstance::~SingleInstance() {
    if (descriptor_ >= 0) ::close(descriptor_);
}

bool SingleInstance::tryLock() { return ::flock(descriptor_, LOCK_EX | LOCK_NB) == 0; }

void SingleInstance::acceptGiveWayRequests() {
    if (descriptor_ < 0 || heldElsewhere_) return;
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(descriptor_, 0) != 0) return;
    [[maybe_unused]] const ssize_t written = ::pwrite(descriptor_, pid.data(), pid.size(), 0);
}

bool SingleInstance::askHolderToGiveWay(std::chrono::milliseconds wait) {
    if (!heldElsewhere_) return true;
    char text[32] = {};
    const ssize_t got = ::pread(descriptor_, text, sizeof text - 1, 0);
    if (got <= 0) return false;
    char* end = nullptr;
    const long pid = std::strtol(text, &end, 10);
    if (pid <= 1 || end == text || *end != '\n' || pid == ::getpid()) return false;
    if (tryLock()) {  // it ended meanwhile
        heldElsewhere_ = false;
        return true;
    }
    if (!isCopyNamed(pid, executableName_) || ::kill(static_cast<pid_t>(pid), SIGUSR1) != 0) return false;
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (tryLock()) {
            heldElsewhere_ = false;
            return true;
        }
    }
    return false;
}

}  // namespace syncward
