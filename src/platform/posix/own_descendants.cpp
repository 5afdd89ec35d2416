#include "platform/posix/own_descendants.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <charconv>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "platform/posix/proc_census.h"

namespace syncward {

namespace {

// Never destroyed: a waiter thread may still forget its child while the
// program's statics are torn down at exit.
std::mutex& ownChildrenMutex = *new std::mutex;
std::set<pid_t>& ownChildren = *new std::set<pid_t>;  // guarded by ownChildrenMutex
std::atomic<bool> adopting{false};

// The parent's id from /proc/PID/stat: the field after the state, which
// follows the last ')' (the program's name before it may hold any byte).
std::optional<pid_t> parentOf(int procFd, pid_t pid) {
    char stat[512];
    const ssize_t n = readProcFile(procFd, std::to_string(pid) + "/stat", stat, sizeof stat);
    if (n <= 0) return std::nullopt;
    const std::string_view text(stat, static_cast<std::size_t>(n));
    const std::size_t nameEnd = text.rfind(')');
    // ") S 1234 ..."
    if (nameEnd == std::string_view::npos || nameEnd + 4 >= text.size()) return std::nullopt;
    const std::string_view rest = text.substr(nameEnd + 4);
    pid_t parent = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), parent);
    if (error != std::errc() || end == rest.data()) return std::nullopt;
    return parent;
}

// The children of every thread of this program, as the kernel lists them.
std::set<pid_t> childrenOfThisProgram() {
    std::set<pid_t> children;
    DIR* tasks = ::opendir("/proc/self/task");
    if (!tasks) return children;
    while (const dirent* task = ::readdir(tasks)) {
        if (task->d_name[0] == '.') continue;
        char list[4096];
        const ssize_t n = readProcFile(::dirfd(tasks), std::string(task->d_name) + "/children", list, sizeof list);
        for (std::string_view rest(list, n > 0 ? static_cast<std::size_t>(n) : 0); !rest.empty();) {
            pid_t child = 0;
            const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), child);
            if (error == std::errc()) children.insert(child);
            rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
            if (!rest.empty()) rest.remove_prefix(1);  // the blank between two ids
        }
    }
    ::closedir(tasks);
    return children;
}

}  // namespace

bool adoptOrphanedDescendants() {
    if (::prctl(PR_SET_CHILD_SUBREAPER, 1L, 0L, 0L, 0L) != 0) return false;
    adopting = true;
    return true;
}

bool descendsFromThisProgram(int procFd, pid_t pid) {
    const pid_t self = ::getpid();
    // Deeper than any chain of shells and daemons; a loop read mid-change
    // cannot keep us here.
    for (int depth = 0; depth < 64 && pid > 1; ++depth) {
        const std::optional<pid_t> parent = parentOf(procFd, pid);
        if (!parent) return false;
        if (*parent == self) return true;
        pid = *parent;
    }
    return false;
}

std::unique_lock<std::mutex> lockOwnChildren() { return std::unique_lock(ownChildrenMutex); }

void noteOwnChild(pid_t child) { ownChildren.insert(child); }

void forgetOwnChild(pid_t child) {
    const std::lock_guard lock(ownChildrenMutex);
    ownChildren.erase(child);
}

void reapEndedAdoptedDescendants() {
    if (!adopting) return;
    const std::lock_guard lock(ownChildrenMutex);
    // As a rule nothing has ended: one call, four times a second, says so.
    for (;;) {
        siginfo_t ended{};
        if (::waitid(P_ALL, 0, &ended, WEXITED | WNOHANG | WNOWAIT) != 0 || ended.si_pid == 0) return;
        if (ownChildren.contains(ended.si_pid)) break;
        int status = 0;
        ::waitpid(ended.si_pid, &status, WNOHANG);
    }
    // An own child that has ended and waits for its own waiter may hide
    // adopted ones behind it: every child is looked at.
    for (const pid_t child : childrenOfThisProgram()) {
        if (ownChildren.contains(child)) continue;
        int status = 0;
        ::waitpid(child, &status, WNOHANG);  // 0 while it still runs
    }
}

}  // namespace syncward
