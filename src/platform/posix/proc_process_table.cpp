#include "platform/posix/proc_process_table.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <string_view>

namespace syncward {

namespace {

std::string lowered(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), [](unsigned char c) { return std::tolower(c); });
    return result;
}

std::string_view baseName(std::string_view path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool isPid(const char* name) {
    if (*name == '\0') return false;
    for (; *name; ++name)
        if (*name < '0' || *name > '9') return false;
    return true;
}

// Reads up to size bytes of a small /proc file relative to the /proc folder;
// the count read, or -1. /proc files are read in one call.
ssize_t readSmall(int procFd, const std::string& path, char* buffer, std::size_t size) {
    const int fd = ::openat(procFd, path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -1;
    ssize_t n;
    while ((n = ::read(fd, buffer, size)) < 0 && errno == EINTR) {
    }
    ::close(fd);
    return n;
}

// One process seen through /proc. The thread name is always read; the
// command line and the executable link only when the thread name did not
// already answer, and not at all when an earlier query remembered them.
class ProcessEntry {
public:
    ProcessEntry(int procFd, std::string pid) : procFd_(procFd), pid_(std::move(pid)) {}

    // False for a process that vanished meanwhile.
    bool load() {
        char comm[64];
        const ssize_t n = readSmall(procFd_, pid_ + "/comm", comm, sizeof comm);
        if (n <= 0) return false;
        std::string_view text(comm, static_cast<std::size_t>(n));
        if (text.back() == '\n') text.remove_suffix(1);
        comm_ = lowered(text);
        return true;
    }

    // A zombie has exited; only its parent has not collected it yet. Asked
    // only of a process that has a wanted name: the state costs more to read
    // than the name.
    bool hasExited() const {
        // "pid (comm) state ...": comm may itself hold blanks and ')'.
        char stat[512];
        const ssize_t n = readSmall(procFd_, pid_ + "/stat", stat, sizeof stat);
        if (n <= 0) return true;
        const std::string_view text(stat, static_cast<std::size_t>(n));
        const auto close = text.rfind(')');
        if (close == std::string_view::npos || close + 2 >= text.size()) return true;
        const char state = text[close + 2];
        return state == 'Z' || state == 'X' || state == 'x';
    }

    bool matches(const std::string& wanted) {
        if (wanted.empty()) return false;
        // The kernel keeps only the first 15 characters of a thread name.
        if (wanted.compare(0, 15, comm_) == 0) return true;
        if (wanted == argv0()) return true;
        return wanted == executable();
    }

    pid_t pid() const { return static_cast<pid_t>(std::stol(pid_)); }
    const std::string& pidText() const { return pid_; }

    // Takes the names remembered from an earlier look, when the thread
    // name shows it is still the same program.
    void adopt(const ProcKnownNames& known) {
        if (known.comm != comm_) return;
        argv0_ = known.argv0;
        executable_ = known.executable;
    }
    ProcKnownNames names() const { return {comm_, argv0_, executable_}; }

    uid_t owner() const {
        struct stat info {};
        if (::fstatat(procFd_, pid_.c_str(), &info, 0) != 0) return static_cast<uid_t>(-1);
        return info.st_uid;
    }

private:
    const std::string& argv0() {
        if (!argv0_) {
            char cmdline[4096];
            const ssize_t n = readSmall(procFd_, pid_ + "/cmdline", cmdline, sizeof cmdline);
            std::string_view text = n > 0 ? std::string_view(cmdline, static_cast<std::size_t>(n)) : std::string_view();
            text = text.substr(0, text.find('\0'));
            argv0_ = lowered(baseName(text));
        }
        return *argv0_;
    }

    const std::string& executable() {
        if (!executable_) {
            // Only the owner (or a privileged user) may read another
            // process's link; the other names still apply then.
            char link[4096];
            const ssize_t n = ::readlinkat(procFd_, (pid_ + "/exe").c_str(), link, sizeof link);
            std::string_view path = n > 0 ? std::string_view(link, static_cast<std::size_t>(n)) : std::string_view();
            // A program replaced on disk while it runs (an update) keeps running.
            constexpr std::string_view deleted = " (deleted)";
            if (path.size() > deleted.size() && path.substr(path.size() - deleted.size()) == deleted)
                path.remove_suffix(deleted.size());
            executable_ = lowered(baseName(path));
        }
        return *executable_;
    }

    int procFd_;
    std::string pid_;
    std::string comm_;
    std::optional<std::string> argv0_, executable_;
};

// Calls visit(entry) for every live process until visit returns false;
// false if the list could not be read at all.
template <typename Visit>
bool forEachProcess(const std::string& root, Visit visit) {
    DIR* dir = ::opendir(root.c_str());
    if (!dir) return false;
    const int procFd = ::dirfd(dir);
    while (dirent* entry = ::readdir(dir)) {
        if (!isPid(entry->d_name)) continue;
        ProcessEntry process(procFd, entry->d_name);
        if (!process.load()) continue;
        if (!visit(process)) break;
    }
    ::closedir(dir);
    return true;
}

}  // namespace

std::optional<std::vector<bool>> ProcProcessTable::running(const std::vector<std::string>& names) {
    std::vector<std::string> wanted;
    wanted.reserve(names.size());
    for (const std::string& name : names) wanted.push_back(lowered(name));
    std::vector<bool> found(names.size(), false);
    std::size_t missing = std::count_if(wanted.begin(), wanted.end(), [](const auto& w) { return !w.empty(); });
    if (missing == 0) return found;
    std::unordered_map<std::string, ProcKnownNames> seen;
    const bool read = forEachProcess(procRoot_, [&](ProcessEntry& process) {
        if (auto known = known_.find(process.pidText()); known != known_.end()) process.adopt(known->second);
        std::optional<bool> exited;
        for (std::size_t i = 0; i < wanted.size(); ++i)
            if (!found[i] && process.matches(wanted[i])) {
                if (!exited) exited = process.hasExited();
                if (*exited) break;
                found[i] = true;
                --missing;
            }
        seen.emplace(process.pidText(), process.names());
        return missing > 0;  // every name answered: the rest of the list cannot change that
    });
    if (!read) return std::nullopt;
    known_ = std::move(seen);  // processes that have gone are forgotten
    return found;
}

void ProcProcessTable::terminate(const std::string& name) {
    const std::string wanted = lowered(name);
    if (wanted.empty()) return;
    const uid_t self = ::getuid();
    const pid_t own = ::getpid();
    bool endSelf = false;
    forEachProcess(procRoot_, [&](ProcessEntry& process) {
        if (process.matches(wanted) && process.owner() == self && !process.hasExited()) {
            if (process.pid() == own)
                endSelf = true;  // last, or the others would survive
            else
                ::kill(process.pid(), SIGKILL);
        }
        return true;
    });
    if (endSelf) ::kill(own, SIGKILL);
}

void ProcProcessTable::askToShutDown(const std::string& name) {
    const std::string wanted = lowered(name);
    if (wanted.empty()) return;
    const uid_t self = ::getuid();
    const pid_t own = ::getpid();
    forEachProcess(procRoot_, [&](ProcessEntry& process) {
        if (process.matches(wanted) && process.owner() == self && !process.hasExited() && process.pid() != own)
            ::kill(process.pid(), SIGTERM);
        return true;
    });
}

}  // namespace syncward
