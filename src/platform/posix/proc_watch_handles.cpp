#include "platform/posix/proc_watch_handles.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <unordered_map>

#include "platform/posix/proc_process_table.h"

namespace syncward {

namespace {

// A pid folder's number; 0 for anything else.
int pidOf(const char* name) {
    int value = 0;
    const char* end = name;
    while (*end >= '0' && *end <= '9') ++end;
    if (end == name || *end != '\0') return 0;
    if (std::from_chars(name, end, value).ec != std::errc()) return 0;
    return value;
}

ssize_t readAt(int fd, char* buffer, std::size_t size) {
    ssize_t n;
    while ((n = ::pread(fd, buffer, size, 0)) < 0 && errno == EINTR) {
    }
    return n;
}

std::string_view withoutLineEnd(const char* buffer, ssize_t n) {
    std::string_view text(buffer, static_cast<std::size_t>(n));
    if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    return text;
}

struct Entry {
    std::string pid;
    int fd = -1;  // the open thread name file; -1 past the cap
    ProcKnownNames names;
    unsigned pass = 0;
};

}  // namespace

struct ProcWatchHandles::State {
    std::string procRoot;
    DIR* dir = nullptr;  // kept open: each look starts again from its beginning
    std::unordered_map<int, Entry> entries;
    std::size_t held = 0;
    unsigned pass = 0;

    void drop(Entry& entry) {
        if (entry.fd >= 0) {
            ::close(entry.fd);
            --held;
        }
        entry.fd = -1;
    }

    // Reads the thread name through the held file, or else by path. A held
    // file that fails belongs to a process that has ended: whatever now has
    // its number is new here.
    ssize_t readComm(int procFd, Entry& entry, char* buffer, std::size_t size) {
        if (entry.fd >= 0) {
            const ssize_t n = readAt(entry.fd, buffer, size);
            if (n > 0) return n;
            drop(entry);
            entry.names = {};
        }
        const std::string path = entry.pid + "/comm";
        const int fd = ::openat(procFd, path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return -1;
        const ssize_t n = readAt(fd, buffer, size);
        if (n > 0 && held < maxHeld) {
            entry.fd = fd;
            ++held;
        } else {
            ::close(fd);
        }
        return n;
    }

    void forgetUnlisted() {
        for (auto it = entries.begin(); it != entries.end();) {
            if (it->second.pass == pass) {
                ++it;
            } else {
                drop(it->second);
                it = entries.erase(it);
            }
        }
    }
};

ProcWatchHandles::ProcWatchHandles(std::string procRoot) : state_(std::make_unique<State>()) {
    state_->procRoot = std::move(procRoot);
}

ProcWatchHandles::~ProcWatchHandles() {
    for (auto& [pid, entry] : state_->entries) state_->drop(entry);
    if (state_->dir) ::closedir(state_->dir);
}

std::size_t ProcWatchHandles::held() const { return state_->held; }

bool ProcWatchHandles::scan(const std::function<bool(Seen&)>& visit) {
    State& s = *state_;
    if (s.dir) {
        ::rewinddir(s.dir);
    } else if (!(s.dir = ::opendir(s.procRoot.c_str()))) {
        return false;
    }
    const int procFd = ::dirfd(s.dir);
    ++s.pass;
    bool whole = true;
    while (const dirent* listed = ::readdir(s.dir)) {
        const int pid = pidOf(listed->d_name);
        if (pid <= 0) continue;
        auto [it, added] = s.entries.try_emplace(pid);
        Entry& entry = it->second;
        if (added) entry.pid = listed->d_name;
        char comm[64];
        const ssize_t n = s.readComm(procFd, entry, comm, sizeof comm);
        if (n <= 0) continue;  // gone meanwhile: forgotten below
        entry.pass = s.pass;
        Seen seen{procFd, entry.pid, withoutLineEnd(comm, n), entry.names};
        if (!visit(seen)) {
            whole = false;
            break;
        }
    }
    if (whole) s.forgetUnlisted();
    return true;
}

}  // namespace syncward
