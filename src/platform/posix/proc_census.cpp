#include "platform/posix/proc_census.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <string_view>

namespace syncward {

std::string_view procStatusField(std::string_view text, std::string_view name) {
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        if (line.substr(0, name.size()) == name) {
            line.remove_prefix(name.size());
            while (!line.empty() && (line.front() == '\t' || line.front() == ' ')) line.remove_prefix(1);
            return line;
        }
        start = end + 1;
    }
    return {};
}

namespace {

int pidOf(const char* name) {
    int value = 0;
    const char* end = name;
    while (*end >= '0' && *end <= '9') ++end;
    if (end == name || *end != '\0') return 0;
    if (std::from_chars(name, end, value).ec != std::errc()) return 0;
    return value;
}

template <typename Number>
std::optional<Number> numberIn(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data()) return std::nullopt;
    return value;
}

ssize_t readAt(int fd, char* buffer, std::size_t size) {
    ssize_t n;
    while ((n = ::pread(fd, buffer, size, 0)) < 0 && errno == EINTR) {
    }
    return n;
}

// The status file writes a backslash and a line break in the name escaped.
std::string unescapedName(std::string_view name) {
    std::string result;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 1 < name.size()) {
            ++i;
            result += name[i] == 'n' ? '\n' : name[i];
        } else {
            result += name[i];
        }
    }
    return result;
}

bool isZombie(std::string_view state) {
    return state.empty() || state.front() == 'Z' || state.front() == 'X' || state.front() == 'x';
}

}  // namespace

ssize_t readProcFile(int dirFd, const std::string& path, char* buffer, std::size_t size) {
    const int fd = ::openat(dirFd, path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -1;
    const ssize_t n = readAt(fd, buffer, size);
    ::close(fd);
    return n;
}

ProcCensus::ProcCensus(std::string procRoot) : procRoot_(std::move(procRoot)) {
    char text[32];
    const ssize_t n = readProcFile(AT_FDCWD, procRoot_ + "/sys/kernel/pid_max", text, sizeof text);
    if (n > 0) pidMax_ = numberIn<int>(std::string_view(text, static_cast<std::size_t>(n))).value_or(0);
}

ProcCensus::~ProcCensus() {
    if (loadavgFd_ >= 0) ::close(loadavgFd_);
    if (dirFd_ >= 0) ::close(dirFd_);
}

int ProcCensus::procFd() const { return dirFd_; }

void ProcCensus::watch(int pid, bool watched) {
    if (watched)
        watched_.insert(pid);
    else
        watched_.erase(pid);
}

std::optional<int> ProcCensus::newestPid() {
    if (loadavgFd_ < 0) loadavgFd_ = ::openat(procFd(), "loadavg", O_RDONLY | O_CLOEXEC);
    if (loadavgFd_ < 0) return std::nullopt;
    char text[128];
    const ssize_t n = readAt(loadavgFd_, text, sizeof text);
    ++filesRead_;
    if (n <= 0) return std::nullopt;
    std::string_view line(text, static_cast<std::size_t>(n));
    while (!line.empty() && (line.back() == '\n' || line.back() == ' ')) line.remove_suffix(1);
    return numberIn<int>(line.substr(line.find_last_of(' ') + 1));
}

void ProcCensus::forget(int pid) {
    processes_.erase(pid);
    watched_.erase(pid);
}


bool ProcCensus::add(int pid, bool young) {
    const std::string pidText = std::to_string(pid);
    char status[2048];
    const ssize_t n = readProcFile(procFd(), pidText + "/status", status, sizeof status);
    ++filesRead_;
    if (n <= 0) return false;
    const std::string_view text(status, static_cast<std::size_t>(n));
    // A thread has a number of its own and a folder that is not listed.
    if (const auto group = numberIn<int>(procStatusField(text, "Tgid:")); group && *group != pid) return true;
    Process& process = processes_[pid];
    process.pid = pidText;
    process.comm = unescapedName(procStatusField(text, "Name:"));
    process.live = !isZombie(procStatusField(text, "State:"));
    process.own = numberIn<uid_t>(procStatusField(text, "Uid:")) == ::getuid();
    process.firstLook = look_;
    // One of ours that was already there may have started just now, its
    // program not yet run: it is young for what is left of its first
    // youngLooks looks (at four a second).
    unsigned youth = young ? youngLooks : 0;
    if (!young && process.own)
        if (const auto age = secondsRunning(pidText); age && *age * 4 < youngLooks)
            youth = youngLooks - static_cast<unsigned>(*age * 4);
    if (youth > 0) {
        process.youngUntil = look_ + youth;
        young_.emplace_back(look_, pid);
    }
    if (process.own) changed_.push_back(pid);
    return true;
}

std::optional<double> ProcCensus::secondsRunning(const std::string& pid) {
    if (uptimeLook_ != look_) {
        char text[128];
        const ssize_t n = readProcFile(procFd(), "uptime", text, sizeof text);
        uptime_.reset();
        if (n > 0) {
            // "12345.67 ..." in seconds: whole seconds and hundredths.
            const std::string_view line(text, static_cast<std::size_t>(n));
            const auto dot = line.find('.');
            const auto whole = numberIn<long long>(line.substr(0, dot));
            const auto hundredths = dot == std::string_view::npos ? 0 : numberIn<long long>(line.substr(dot + 1, 2)).value_or(0);
            if (whole) uptime_ = static_cast<double>(*whole) + static_cast<double>(hundredths) / 100;
        }
        uptimeLook_ = look_;
    }
    if (!uptime_) return std::nullopt;
    char stat[1024];
    const ssize_t n = readProcFile(procFd(), pid + "/stat", stat, sizeof stat);
    ++filesRead_;
    if (n <= 0) return std::nullopt;
    // The fields after the name, which may hold blanks and brackets: the
    // start time is the 20th of them, in clock ticks since boot.
    std::string_view text(stat, static_cast<std::size_t>(n));
    const auto close = text.rfind(')');
    if (close == std::string_view::npos) return std::nullopt;
    text.remove_prefix(close + 1);
    for (int field = 0; field < 20; ++field) {
        while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
        if (field == 19) break;
        const auto blank = text.find(' ');
        if (blank == std::string_view::npos) return std::nullopt;
        text.remove_prefix(blank);
    }
    const auto started = numberIn<long long>(text);
    static const long ticksPerSecond = ::sysconf(_SC_CLK_TCK);
    if (!started || ticksPerSecond <= 0) return std::nullopt;
    return *uptime_ - static_cast<double>(*started) / static_cast<double>(ticksPerSecond);
}

bool ProcCensus::recheck(int pid, bool withStatus) {
    Process& process = processes_.at(pid);
    const bool wasOwn = process.own;
    std::string comm;
    bool read = false;
    if (withStatus) {
        char status[2048];
        const ssize_t n = readProcFile(procFd(), process.pid + "/status", status, sizeof status);
        if ((read = n > 0)) {
            const std::string_view text(status, static_cast<std::size_t>(n));
            comm = unescapedName(procStatusField(text, "Name:"));
            process.live = !isZombie(procStatusField(text, "State:"));
            process.own = numberIn<uid_t>(procStatusField(text, "Uid:")) == ::getuid();
        }
    } else {
        char text[64];
        const ssize_t n = readProcFile(procFd(), process.pid + "/comm", text, sizeof text);
        if ((read = n > 0)) {
            comm.assign(text, static_cast<std::size_t>(n));
            if (comm.back() == '\n') comm.pop_back();
        }
    }
    ++filesRead_;
    if (!read) {
        forget(pid);
        return false;
    }
    if (comm != process.comm || (process.own && !wasOwn)) {
        process.comm = std::move(comm);
        process.names = {};
        if (process.own) changed_.push_back(pid);
    }
    return true;
}

bool ProcCensus::listSome(bool whole) {
    if (!listing_) {
        if (::lseek(dirFd_, 0, SEEK_SET) != 0) return false;
        listing_ = true;
        ++pass_;
        passStart_ = look_;
    }
    // Each look reads one buffer of the list, so that a pass over thousands
    // of processes is spread over looks instead of stalling one.
    alignas(dirent64) char buffer[4096];
    for (;;) {
        const ssize_t n = ::getdents64(dirFd_, buffer, sizeof buffer);
        if (n < 0) {
            listing_ = false;  // the next pass starts again from the top
            return false;
        }
        if (n == 0) break;
        for (ssize_t at = 0; at < n;) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer + at);
            at += entry->d_reclen;
            const int pid = pidOf(entry->d_name);
            if (pid <= 0) continue;
            auto known = processes_.find(pid);
            // What a listing finds that no range showed is new here, except
            // on a first look: what runs already is not starting up.
            if (known == processes_.end() && add(pid, lastNewest_.has_value())) known = processes_.find(pid);
            if (known != processes_.end()) known->second.listed = pass_;
        }
        if (!whole) return true;
    }
    // Whatever was known before the pass began and was not in it has ended.
    for (auto it = processes_.begin(); it != processes_.end();) {
        if (it->second.listed == pass_ || it->second.firstLook >= passStart_) {
            ++it;
        } else {
            watched_.erase(it->first);
            it = processes_.erase(it);
        }
    }
    listing_ = false;
    nextPass_ = passStart_ + listingLooks;
    return true;
}

void ProcCensus::probe(int from, int to) {
    for (int pid = from; pid <= to; ++pid) {
        forget(pid);  // a number handed out again belongs to a new process
        if (!add(pid, true)) missing_.push_back(pid);
    }
}

void ProcCensus::recheckYoung() {
    while (!young_.empty() && look_ - young_.front().first >= youngLooks) young_.pop_front();
    for (const auto& [firstLook, pid] : young_) {
        const auto it = processes_.find(pid);
        // Read already if watched; gone, or replaced by a newer process under its number.
        if (it == processes_.end() || it->second.firstLook != firstLook || firstLook == look_ ||
            !isYoung(it->second) || watched_.count(pid))
            continue;
        recheck(pid, !it->second.own);
    }
}

void ProcCensus::recheckShare() {
    if (processes_.empty()) return;
    const std::size_t share = processes_.size() / shareLooks + 1;
    std::vector<std::pair<int, bool>> due;  // with its status: another user's may have become ours
    auto it = processes_.upper_bound(shareCursor_);
    for (std::size_t i = 0; i < share; ++i, ++it) {
        if (it == processes_.end()) it = processes_.begin();
        shareCursor_ = it->first;
        const Process& process = it->second;
        // Young and watched ones are read anyway.
        if (!isYoung(process) && !watched_.count(it->first)) due.emplace_back(it->first, !process.own);
    }
    for (const auto& [pid, withStatus] : due) recheck(pid, withStatus);
}

bool ProcCensus::look() {
    if (dirFd_ < 0 && (dirFd_ = ::open(procRoot_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) < 0) return false;
    ++look_;
    filesRead_ = 0;
    std::vector<int> retry;
    retry.swap(missing_);

    const std::optional<int> newest = newestPid();
    // Without the newest number, on the first look, or when the known
    // processes were all dropped: the whole list now.
    bool whole = !newest || !lastNewest_;
    if (newest && lastNewest_ && *newest != *lastNewest_) {
        // The numbers handed out since the last look: (last, newest], past
        // the highest number back to the lowest.
        const int last = *lastNewest_;
        const bool wrapped = *newest < last;
        const long long count = wrapped ? (pidMax_ > 0 ? static_cast<long long>(pidMax_) - 1 - last + *newest : -1)
                                        : static_cast<long long>(*newest) - last;
        if (count < 0 || count > maxProbes) {
            // Too many to read one by one, or no telling which: list them
            // all, and take none of the known for the same process.
            processes_.clear();
            watched_.clear();
            young_.clear();
            lastNewest_.reset();
            listing_ = false;
            whole = true;
        } else if (wrapped) {
            probe(last + 1, pidMax_ - 1);
            probe(1, *newest);
        } else {
            probe(last + 1, *newest);
        }
    }
    // A number handed out just before the last look may have been listed
    // only after it.
    for (const int pid : retry)
        if (!processes_.count(pid)) add(pid, true);
    if (whole || listing_ || look_ >= nextPass_) {
        if (!listSome(whole)) return false;
    }
    lastNewest_ = newest;

    if (!newest) {
        // Without the newest number a reused number cannot be told: every
        // process is read in full on every look.
        std::vector<int> all;
        for (const auto& [pid, process] : processes_)
            if (process.firstLook != look_) all.push_back(pid);
        for (const int pid : all) recheck(pid, true);
        return true;
    }
    for (const int pid : std::vector<int>(watched_.begin(), watched_.end()))
        if (processes_.count(pid) && processes_[pid].firstLook != look_) recheck(pid, true);
    recheckYoung();
    recheckShare();
    return true;
}

}  // namespace syncward
