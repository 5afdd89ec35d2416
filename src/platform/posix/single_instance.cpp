#include "platform/posix/single_instance.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

namespace syncward {

namespace {

// A handle on the process itself (Linux 5.3 on), so that a signal sent
// through it can only reach that process, never one that took its number
// over meanwhile; -1 where the kernel has none.
int openProcess(long pid) {
#ifdef SYS_pidfd_open
    return static_cast<int>(::syscall(SYS_pidfd_open, static_cast<pid_t>(pid), 0));
#else
    (void)pid;
    errno = ENOSYS;
    return -1;
#endif
}

bool signalThrough(int process) {
#ifdef SYS_pidfd_send_signal
    return ::syscall(SYS_pidfd_send_signal, process, SIGUSR1, nullptr, 0) == 0;
#else
    (void)process;
    return false;
#endif
}

// One line of /proc/locks names a held FLOCK write lock of pid on the file
// (the device as the kernel prints it, major and minor in hex, and the
// inode): "1: FLOCK  ADVISORY  WRITE 4242 00:1f:1234 0 EOF". A process
// waiting for a lock is listed as "1: -> FLOCK ...": it holds nothing.
bool namesHeldFlock(const std::string& line, long pid, const struct stat& file) {
    std::istringstream words(line);
    std::string id, kind, advisory, access, where;
    long holder = 0;
    if (!(words >> id >> kind >> advisory >> access >> holder >> where)) return false;
    if (kind != "FLOCK" || access != "WRITE" || holder != pid) return false;
    unsigned int devMajor = 0, devMinor = 0;
    unsigned long long inode = 0;
    char extra = 0;
    if (std::sscanf(where.c_str(), "%x:%x:%llu%c", &devMajor, &devMinor, &inode, &extra) != 3) return false;
    return devMajor == major(file.st_dev) && devMinor == minor(file.st_dev) && inode == file.st_ino;
}

std::string describeOpenFailure(int error) {
    switch (error) {
        case ELOOP: return " is a symbolic link";
        case EISDIR: return " is a folder";
        default: return " cannot be opened: " + std::string(std::strerror(error));
    }
}

}  // namespace

std::string SingleInstance::defaultFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime && ::access(runtime, W_OK) == 0) return runtime;
    return "/tmp";
}

// The user's id in the name keeps users apart in a shared /tmp.
SingleInstance::SingleInstance(const std::string& folder, const std::string& executableName)
    : path_(folder + "/syncward-" + std::to_string(::getuid()) + "-" + executableName + ".lock") {
    // Close-on-exec: the node and every other program the run starts must
    // not carry the lock on after this copy has ended. A link is never
    // followed, and nothing at the path that is not a plain file of this
    // user's alone is locked or written (the process id goes into it).
    descriptor_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY, 0600);
    if (descriptor_ < 0) {
        problem_ = path_ + describeOpenFailure(errno);
        return;
    }
    struct stat info {};
    if (::fstat(descriptor_, &info) != 0 || !S_ISREG(info.st_mode))
        problem_ = path_ + " is not a plain file";
    else if (info.st_uid != ::geteuid())
        problem_ = path_ + " belongs to another user";
    else if (info.st_nlink != 1)
        problem_ = path_ + " is a file with other names as well (a hard link)";
    else if (tryLock())
        return;
    else if (const int error = errno; error == EWOULDBLOCK) {
        heldElsewhere_ = true;
        return;
    } else {
        problem_ = path_ + " cannot be locked: " + std::strerror(error);
    }
    ::close(descriptor_);
    descriptor_ = -1;
}

SingleInstance::~SingleInstance() {
    if (descriptor_ >= 0) ::close(descriptor_);
}

bool SingleInstance::tryLock() { return ::flock(descriptor_, LOCK_EX | LOCK_NB) == 0; }

void SingleInstance::acceptGiveWayRequests() {
    if (!first()) return;
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(descriptor_, 0) != 0) return;
    [[maybe_unused]] const ssize_t written = ::pwrite(descriptor_, pid.data(), pid.size(), 0);
}

// The number in the file may be stale (a holder that has not written its
// own yet, a crashed one whose number was reused) or written by anybody
// who can write the file: the kernel's own list of locks decides.
bool SingleInstance::holdsThisLock(long pid) const {
    struct stat file {};
    if (::fstat(descriptor_, &file) != 0) return false;
    std::ifstream locks("/proc/locks");
    std::string line;
    while (std::getline(locks, line))
        if (namesHeldFlock(line, pid, file)) return true;
    return false;
}

bool SingleInstance::askHolderToGiveWay(std::chrono::milliseconds wait) {
    if (!problem_.empty()) return false;
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
    // The handle is taken before the look, so the signal reaches the
    // process that was seen holding the lock or nobody.
    const int process = openProcess(pid);
    if (process < 0 && errno == ESRCH) return false;
    bool sent = false;
    if (holdsThisLock(pid))
        sent = process >= 0 ? signalThrough(process) : ::kill(static_cast<pid_t>(pid), SIGUSR1) == 0;
    if (process >= 0) ::close(process);
    if (!sent) return false;
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
