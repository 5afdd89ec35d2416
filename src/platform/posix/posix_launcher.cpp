#include "platform/posix/posix_launcher.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/posix/own_descendants.h"
#include "platform/posix/started_here.h"

namespace syncward {

namespace {

std::atomic<mode_t> userMask{022};
constexpr mode_t ownerOnlyMask = 077;

// Everything from descriptor 3 up is closed when the program is executed.
// The status pipe is among them, which is how the parent learns that the
// exec happened. Runs in the child: only async-signal-safe calls.
void closeOnExecFromThree(int highestDescriptor) {
#ifdef CLOSE_RANGE_CLOEXEC
    if (::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC) == 0) return;
#endif
    for (int fd = 3; fd <= highestDescriptor; ++fd) ::fcntl(fd, F_SETFD, FD_CLOEXEC);
}

// Signal masks and ignored signals survive exec; a node started with
// SIGTERM ignored could not be stopped.
void defaultSignals() {
    sigset_t none;
    ::sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    for (int signal = 1; signal < NSIG; ++signal) ::sigaction(signal, &standard, nullptr);
}

// Children no reaping thread could be started for (the system refused a
// thread); collected without waiting at the next start instead.
std::mutex unreapedMutex;
std::vector<pid_t> unreaped;

void reapEndedLeftovers() {
    const std::lock_guard lock(unreapedMutex);
    std::erase_if(unreaped, [](pid_t child) {
        int status = 0;
        if (::waitpid(child, &status, WNOHANG) == 0) return false;
        forgetOwnChild(child);  // collected, or no longer ours to collect
        return true;
    });
}

// ended, when given, learns how the child ended.
void reapWhenItEnds(pid_t child, const std::shared_ptr<ProgramExit>& ended = {}) {
    try {
        std::thread([child, ended] {
            int status = 0;
            pid_t reaped;
            while ((reaped = ::waitpid(child, &status, 0)) < 0 && errno == EINTR) {
            }
            forgetOwnChild(child);
            if (ended)
                ended->set(reaped == child && WIFEXITED(status) ? WEXITSTATUS(status) : ProgramExit::unknown);
        }).detach();
    } catch (const std::system_error&) {
        // The program was started all the same; it must not be reported as
        // failed, nor may the failure reach the caller.
        const std::lock_guard lock(unreapedMutex);
        unreaped.push_back(child);
        if (ended) ended->set(ProgramExit::unknown);
    }
}

// Starts argv detached with this file-creation mask in the child.
bool startWithMask(const std::vector<std::string>& argv, mode_t mask, const std::shared_ptr<ProgramExit>& ended = {}) {
    if (argv.empty()) return false;
    reapEndedLeftovers();
    // Everything the child needs is prepared before fork: after it only
    // async-signal-safe calls are allowed (the GUI has other threads).
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    // Marked as started here, so that the run can tell its node from
    // another of the same name, also once the node has left our session.
    const std::vector<std::string> environment = environmentForStart();
    std::vector<char*> envp;
    for (const std::string& entry : environment) envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);
    struct rlimit files {};
    const int highestDescriptor =
        ::getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < 65536 ? static_cast<int>(files.rlim_cur) : 65536;

    // A pipe that closes on a successful exec tells whether the program started.
    int status[2];
    if (::pipe2(status, O_CLOEXEC) != 0) return false;

    // Entered as our own child before anything could collect it as an
    // adopted one.
    std::unique_lock ownChildren = lockOwnChildren();
    const pid_t child = ::fork();
    if (child > 0) noteOwnChild(child);
    ownChildren.unlock();
    if (child < 0) {
        ::close(status[0]);
        ::close(status[1]);
        return false;
    }
    if (child == 0) {
        ::close(status[0]);
        ::setsid();
        ::umask(mask);
        defaultSignals();
        const int devNull = ::open("/dev/null", O_RDWR);
        if (devNull >= 0) {
            ::dup2(devNull, 0);
            ::dup2(devNull, 1);
            ::dup2(devNull, 2);
            if (devNull > 2) ::close(devNull);
        }
        closeOnExecFromThree(highestDescriptor);
        ::execvpe(args[0], args.data(), envp.data());
        const int error = errno;
        (void)!::write(status[1], &error, sizeof error);
        ::_exit(127);
    }
    ::close(status[1]);
    int error = 0;
    ssize_t n;
    while ((n = ::read(status[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    ::close(status[0]);
    if (n != 0) {  // the exec failed and the child is ending now
        int ignored = 0;
        while (::waitpid(child, &ignored, 0) < 0 && errno == EINTR) {
        }
        forgetOwnChild(child);
        return false;
    }
    reapWhenItEnds(child, ended);
    return true;
}

}  // namespace

void PosixLauncher::rememberUserMask(mode_t mask) { userMask = mask; }

bool PosixLauncher::startDetached(const std::vector<std::string>& argv) { return startWithMask(argv, userMask); }

std::shared_ptr<const ProgramExit> PosixLauncher::runProgramWatched(const std::vector<std::string>& argv) {
    auto ended = std::make_shared<ProgramExit>();
    if (!startWithMask(argv, userMask, ended)) return nullptr;
    return ended;
}

bool PosixLauncher::runCommandFile(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    if (::access(path.c_str(), R_OK) != 0) return false;  // the shell could not read it
    // Command files hold credentials and their redirections create files
    // (the block count file, when it was deleted): whatever the shell and
    // the node create is the user's alone, as is what the program writes.
    return startWithMask({"/bin/sh", path}, ownerOnlyMask);
}

bool PosixLauncher::runProgram(const std::vector<std::string>& argv) { return startDetached(argv); }

}  // namespace syncward
