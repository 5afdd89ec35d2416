#include "platform/posix/proc_process_table.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <string_view>

#include "platform/posix/own_descendants.h"
#include "platform/posix/proc_census.h"
#include "platform/posix/started_here.h"

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

// Whether a process's argv[0] gives it the wanted name: the base name of
// argv[0], or of its first blank-separated word, for programs that rewrite
// their title to their whole command line ("sendemail -f ... -l /x/y.log").
bool argv0Names(std::string_view argv0, std::string_view wanted) {
    return wanted == baseName(argv0) || wanted == baseName(argv0.substr(0, argv0.find(' ')));
}

bool isPid(const char* name) {
    if (*name == '\0') return false;
    for (; *name; ++name)
        if (*name < '0' || *name > '9') return false;
    return true;
}

// Whether a node's lock file names the data folder: "<folder>/.lock" for
// its main network, "<folder>/<network>/.lock" for the others. A node
// holds it open for as long as it runs, and no second node can start on a
// folder while it does.
bool isDataFolderLock(std::string_view path, std::string_view folder) {
    constexpr std::string_view lockFile = "/.lock";
    if (path.size() <= folder.size() || !path.starts_with(folder) || path[folder.size()] != '/') return false;
    if (!path.ends_with(lockFile)) return false;
    const std::string_view between = path.substr(folder.size(), path.size() - folder.size() - lockFile.size());
    return between.find('/', 1) == std::string_view::npos;  // "" or "/regtest"
}

// The folder as the links under /proc/PID/fd name what lies in it: with
// every symbolic link resolved.
std::string canonicalFolder(const std::string& folder) {
    if (folder.empty()) return {};
    char resolved[PATH_MAX];
    if (::realpath(folder.c_str(), resolved)) return resolved;
    std::string plain = folder;
    while (plain.size() > 1 && plain.back() == '/') plain.pop_back();
    return plain;
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
        const ssize_t n = readProcFile(procFd_, pid_ + "/comm", comm, sizeof comm);
        if (n <= 0) return false;
        std::string_view text(comm, static_cast<std::size_t>(n));
        if (text.back() == '\n') text.remove_suffix(1);
        setThreadName(text);
        return true;
    }

    // The thread name, as whoever listed the process has just read it.
    void setThreadName(std::string_view comm) { comm_ = lowered(comm); }

    // Whether the process is one this program may count and end: it has not
    // exited (a zombie only waits for its parent to collect it) and its real
    // user is the program's. The program starts its node as its own user; a
    // node of another user, or one merely running with borrowed rights,
    // is not its business. Asked only of a process that has a wanted name:
    // the status costs more to read than the name.
    bool isOwnLiveProcess() const {
        char status[2048];
        const ssize_t n = readProcFile(procFd_, pid_ + "/status", status, sizeof status);
        if (n <= 0) return false;  // gone meanwhile
        const std::string_view text(status, static_cast<std::size_t>(n));
        const std::string_view state = procStatusField(text, "State:");
        if (state.empty() || state.front() == 'Z' || state.front() == 'X' || state.front() == 'x') return false;
        // "Uid:" lists the real, effective, saved and file system user ids.
        const std::string_view uids = procStatusField(text, "Uid:");
        uid_t realUser = 0;
        const auto [end, error] = std::from_chars(uids.data(), uids.data() + uids.size(), realUser);
        return error == std::errc() && end != uids.data() && realUser == ::getuid();
    }

    // Names::asStarted leaves the executable's own name out while the
    // process was started under another (a link's): a copy of this program
    // started as LTC1 is LTC1, not the file the link points to, and ending
    // "syncward" by name must not end it.
    enum class Names { all, asStarted };
    bool matches(const std::string& wanted, Names names = Names::all) {
        if (wanted.empty()) return false;
        // A thread name shorter than the kernel's 15 characters is whole.
        if (comm_.size() < maxThreadName && wanted == comm_) return true;
        if (argv0Names(argv0(), wanted)) return true;
        if (wanted == executable() && (names == Names::all || argv0().empty())) return true;
        // One of 15 may be the cut of a longer name, whatever the length of
        // the wanted one: "pbcoinnodemain1" is not "pbcoinnodemain12". It
        // decides only when no whole name can be read.
        return comm_.size() == maxThreadName && argv0().empty() && executable().empty() &&
               std::string_view(wanted).substr(0, maxThreadName) == comm_;
    }

    // 0 when the folder's number is no process id.
    pid_t pid() const {
        pid_t value = 0;
        if (std::from_chars(pid_.data(), pid_.data() + pid_.size(), value).ec != std::errc()) return 0;
        return value;
    }
    const std::string& pidText() const { return pid_; }

    // Takes the names remembered from an earlier look, when the thread
    // name shows it is still the same program.
    void adopt(ProcKnownNames known) {
        if (known.comm != comm_) return;
        argv0_ = std::move(known.argv0);
        executable_ = std::move(known.executable);
        startedHere_ = known.startedHere;
        onClaimedFolder_ = known.onClaimedFolder;
        folderCheckedAt_ = known.folderCheckedAt;
    }
    // What this look learnt, for the next; the entry is done with.
    ProcKnownNames releaseNames() {
        return {comm_, std::move(argv0_), std::move(executable_), startedHere_, onClaimedFolder_, folderCheckedAt_};
    }

    // Whether this program started the process: it descends from us
    // (own_descendants.h), or, where the system keeps no orphan of ours
    // in the family, its environment still carries our mark
    // (started_here.h), read again when the process runs another program.
    bool startedHere() {
        if (!startedHere_) startedHere_ = descendsFromThisProgram(procFd_, pid()) || environmentHasMark(environment());
        return *startedHere_;
    }

    // Whether the process holds the lock file of a node's data folder
    // (canonical, see canonicalFolder): it is the node running on it. A
    // node holds it until it ends, so a yes is kept; a no is asked again
    // after a while (a node may be seen before it has taken its lock), not
    // on every look: a second node on another folder has many files open.
    bool runsOnFolder(const std::string& folder) {
        if (folder.empty()) return false;
        const auto now = std::chrono::steady_clock::now();
        if (!onClaimedFolder_ || (!*onClaimedFolder_ && now - folderCheckedAt_ >= folderRecheck)) {
            onClaimedFolder_ = holdsLockIn(folder);
            folderCheckedAt_ = now;
        }
        return *onClaimedFolder_;
    }

    // The run's own: started here, or the node on the claimed data folder.
    bool ours(const std::string& claimedFolder) { return startedHere() || runsOnFolder(claimedFolder); }

private:
    static constexpr std::size_t maxThreadName = 15;
    static constexpr std::chrono::seconds folderRecheck{5};

    const std::string& argv0() {
        if (!argv0_) {
            char cmdline[4096];
            const ssize_t n = readProcFile(procFd_, pid_ + "/cmdline", cmdline, sizeof cmdline);
            std::string_view text = n > 0 ? std::string_view(cmdline, static_cast<std::size_t>(n)) : std::string_view();
            argv0_ = lowered(text.substr(0, text.find('\0')));
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

    // Gone, a zombie, or not ours to read: empty.
    std::string environment() const {
        const int fd = ::openat(procFd_, (pid_ + "/environ").c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return {};
        std::string text;
        char buffer[16384];
        constexpr std::size_t longest = std::size_t{1} << 20;
        for (ssize_t n; text.size() < longest;) {
            while ((n = ::read(fd, buffer, sizeof buffer)) < 0 && errno == EINTR) {
            }
            if (n <= 0) break;
            text.append(buffer, static_cast<std::size_t>(n));
        }
        ::close(fd);
        return text;
    }

    bool holdsLockIn(const std::string& folder) const {
        const int fd = ::openat(procFd_, (pid_ + "/fd").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return false;
        DIR* open = ::fdopendir(fd);
        if (!open) {
            ::close(fd);
            return false;
        }
        bool holds = false;
        char link[PATH_MAX];
        while (const dirent* entry = ::readdir(open)) {
            const ssize_t n = ::readlinkat(::dirfd(open), entry->d_name, link, sizeof link);
            if (n > 0 && isDataFolderLock(std::string_view(link, static_cast<std::size_t>(n)), folder)) {
                holds = true;
                break;
            }
        }
        ::closedir(open);
        return holds;
    }

    int procFd_;
    std::string pid_;
    std::string comm_;
    std::optional<std::string> argv0_, executable_;
    std::optional<bool> startedHere_, onClaimedFolder_;
    std::chrono::steady_clock::time_point folderCheckedAt_;
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

std::optional<std::vector<NamedProcesses>> ProcProcessTable::look(const std::vector<std::string>& names) {
    std::vector<std::string> wanted;
    wanted.reserve(names.size());
    for (const std::string& name : names) wanted.push_back(lowered(name));
    std::vector<NamedProcesses> found(names.size());
    if (std::all_of(wanted.begin(), wanted.end(), [](const auto& w) { return w.empty(); })) return found;
    if (!census_.look()) return std::nullopt;
    reapEndedAdoptedDescendants();

    auto& processes = census_.processes();
    const auto judge = [&](int pid, ProcCensus::Process& known) {
        ProcessEntry process(census_.procFd(), known.pid);
        process.setThreadName(known.comm);
        process.adopt(std::move(known.names));
        known.hits.assign(wanted.size(), false);
        bool any = false;
        for (std::size_t i = 0; i < wanted.size(); ++i) any |= known.hits[i] = process.matches(wanted[i]);
        // Asked only of a process with a wanted name: its environment costs
        // more to read than its names.
        if (any) process.startedHere();
        known.names = process.releaseNames();
        census_.watch(pid, any);
    };
    const std::vector<int> changed = census_.takeChanged();
    // Other names: every process of ours is judged again, once.
    if (wanted != wanted_) {
        wanted_ = wanted;
        for (auto& [pid, known] : processes)
            if (known.own) judge(pid, known);
    } else {
        for (const int pid : changed)
            if (const auto it = processes.find(pid); it != processes.end() && it->second.own) judge(pid, it->second);
    }
    for (const int pid : census_.watched()) {
        ProcCensus::Process& known = processes.at(pid);
        if (!known.own || !known.live) continue;
        const bool startedHere = known.names.startedHere.value_or(false);
        // A stranger's folder is read once for each folder claimed, and
        // only for a process with a wanted name.
        bool onFolder = false;
        if (!startedHere && !claimedFolder_.empty()) {
            ProcessEntry process(census_.procFd(), known.pid);
            process.setThreadName(known.comm);
            process.adopt(std::move(known.names));
            onFolder = process.runsOnFolder(claimedFolder_);
            known.names = process.releaseNames();
        }
        for (std::size_t i = 0; i < wanted.size(); ++i)
            if (known.hits[i]) {
                found[i].running = true;
                found[i].ours |= startedHere || onFolder;
                found[i].foundOnDataFolder |= onFolder;
            }
    }
    return found;
}

void ProcProcessTable::claimNodesOnDataFolder(const std::string& folder) {
    if (folder == claimedAs_) return;
    claimedAs_ = folder;
    claimedFolder_ = canonicalFolder(folder);
    for (auto& [pid, known] : census_.processes()) known.names.onClaimedFolder.reset();
}

void ProcProcessTable::signal(const std::string& name, int signal, bool onlyOurs) {
    const std::string wanted = lowered(name);
    if (wanted.empty()) return;
    const pid_t own = ::getpid();
    bool endSelf = false;
    forEachProcess(procRoot_, [&](ProcessEntry& process) {
        // A number that does not fit a pid would read as 0, and kill(0)
        // signals the whole process group.
        const pid_t pid = process.pid();
        // Ending by name takes what was started under that name; the run's
        // own are known by every name.
        const auto names = onlyOurs ? ProcessEntry::Names::all : ProcessEntry::Names::asStarted;
        if (pid <= 0 || !process.matches(wanted, names) || !process.isOwnLiveProcess()) return true;
        if (onlyOurs && !process.ours(claimedFolder_)) return true;
        if (pid == own)
            endSelf = signal == SIGKILL;  // last, or the others would survive
        else
            ::kill(pid, signal);
        return true;
    });
    if (endSelf) ::kill(own, SIGKILL);
}

void ProcProcessTable::terminate(const std::string& name) { signal(name, SIGKILL, false); }

void ProcProcessTable::terminateOurs(const std::string& name) { signal(name, SIGKILL, true); }

void ProcProcessTable::askOursToShutDown(const std::string& name) { signal(name, SIGTERM, true); }

bool ProcProcessTable::namesThisProgram(const std::string& name) {
    const std::string wanted = lowered(name);
    if (wanted.empty()) return false;
    DIR* dir = ::opendir(procRoot_.c_str());
    if (!dir) return false;
    ProcessEntry self(::dirfd(dir), std::to_string(::getpid()));
    const bool matches = self.load() && self.matches(wanted, ProcessEntry::Names::asStarted);
    ::closedir(dir);
    return matches;
}

}  // namespace syncward
