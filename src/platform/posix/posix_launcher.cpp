#include "platform/posix/posix_launcher.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace syncward {

namespace {

std::atomic<mode_t> userMask{022};

}  // namespace

void PosixLauncher::rememberUserMask(mode_t mask) { userMask = mask; }

bool PosixLauncher::startDetached(const std::vector<std::string>& argv) {
    if (argv.empty()) return false;
    // Everything the children need is prepared before fork: after it only
    // async-signal-safe calls are allowed (the GUI has other threads).
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    const mode_t mask = userMask;

    // A pipe that closes on a successful exec tells whether the program started.
    int status[2];
    if (::pipe2(status, O_CLOEXEC) != 0) return false;

    const pid_t middle = ::fork();
    if (middle < 0) {
        ::close(status[0]);
        ::close(status[1]);
        return false;
    }
    if (middle == 0) {
        ::close(status[0]);
        if (::fork() != 0) ::_exit(0);  // the middle process ends at once; init adopts the program
        ::setsid();
        ::umask(mask);
        const int devNull = ::open("/dev/null", O_RDWR);
        if (devNull >= 0) {
            ::dup2(devNull, 0);
            ::dup2(devNull, 1);
            ::dup2(devNull, 2);
            if (devNull > 2) ::close(devNull);
        }
        ::execvp(args[0], args.data());
        const int error = errno;
        (void)!::write(status[1], &error, sizeof error);
        ::_exit(127);
    }
    ::close(status[1]);
    int ignored = 0;
    while (::waitpid(middle, &ignored, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t n;
    while ((n = ::read(status[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    ::close(status[0]);
    return n == 0;  // closed by exec without a word: the program runs
}

bool PosixLauncher::runCommandFile(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    return startDetached({"/bin/sh", path});
}

bool PosixLauncher::openForReading(const std::string& path) { return startDetached({"xdg-open", path}); }

bool PosixLauncher::runProgram(const std::vector<std::string>& argv) { return startDetached(argv); }

}  // namespace syncward
