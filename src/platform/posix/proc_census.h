#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace syncward {

// The names of a process that cost a file each to read, kept while its
// thread name stays the same.
struct ProcKnownNames {
    std::string comm;
    std::optional<std::string> argv0, executable;
    std::optional<bool> startedHere;      // it descends from us, or carries our mark
    std::optional<bool> onClaimedFolder;  // it holds the claimed data folder's lock
    std::chrono::steady_clock::time_point folderCheckedAt;
};

// The processes of this machine as the watch knows them, kept from one look
// at /proc to the next so that a look costs what changed, not how many
// processes there are. The kernel's newest process id (the last field of
// /proc/loadavg) tells which numbers were handed out since the last look:
// only those are read (a thread's number is passed over). A process is
// seen under its new name when it runs another program (exec, as a
// command file's shell does, or renames itself, as the mailer does):
//   - in its first youngLooks looks (16 s), on every look: that is when a
//     new shell execs its program and a new mailer renames itself (one
//     found by the first look counts from its start time);
//   - when it is a process the table counts (watched), on every look, which
//     also notices at once when it ends or becomes a zombie;
//   - any other process, once every shareLooks looks (30 s), a share of
//     them on each look: an old shell that execs a node late, or a process
//     that became this user's (a node started through su, or by a service
//     manager, may be seen before it changes its user).
// The whole list is read again, a buffer of about a hundred processes per
// look, in passes that start every listingLooks looks (5 s) or, with
// thousands of processes, as soon as the last one ended: they forget
// processes that ended and catch a number that was handed out but not yet
// listed when its range was read (it is tried once more on the next look
// as well). A process of another user is read in full (its status, not
// only its name) when it is young or its share is due, and counts from the
// look that finds it ours. Without a readable /proc/loadavg every look lists every
// process and rereads every one.
// The value of a "Name:\tvalue" line of a status file, blanks skipped.
std::string_view procStatusField(std::string_view text, std::string_view name);
// Reads up to size bytes of a small file under the /proc folder (dirFd) in
// one call, as /proc files are meant to be read; the count read, or -1.
ssize_t readProcFile(int dirFd, const std::string& path, char* buffer, std::size_t size);

class ProcCensus {
public:
    struct Process {
        std::string pid;   // its folder name
        std::string comm;  // its thread name, as the kernel gives it
        bool own = false;  // its real user is ours
        bool live = true;  // not a zombie
        ProcKnownNames names;     // what the table learnt; cleared when the thread name changes
        std::vector<bool> hits;   // the table's verdict per wanted name
        unsigned firstLook = 0;
        unsigned youngUntil = 0;  // the look from which it counts as settled
        unsigned listed = 0;  // the last pass over the list that showed it
    };
    // At the watch's four looks a second.
    static constexpr unsigned youngLooks = 64;    // 16 s
    static constexpr unsigned listingLooks = 20;  // 5 s
    static constexpr unsigned shareLooks = 120;   // 30 s
    static constexpr int maxProbes = 4096;        // more new numbers than that: list instead

    explicit ProcCensus(std::string procRoot);
    ~ProcCensus();
    ProcCensus(const ProcCensus&) = delete;
    ProcCensus& operator=(const ProcCensus&) = delete;

    // Brings the census up to date; false when the list cannot be read.
    bool look();
    // The /proc folder, for the table's own reads of a process's files.
    int procFd() const;
    std::map<int, Process>& processes() { return processes_; }
    // This user's processes that are new, or whose thread name changed, or
    // that became this user's, since the last call: the ones the table has
    // to judge again. Kept over looks that failed, so that what a listing
    // found before it broke off is still judged.
    std::vector<int> takeChanged() { return std::exchange(changed_, {}); }
    // Watched processes are read on every look; the table watches those it counts.
    void watch(int pid, bool watched);
    const std::set<int>& watched() const { return watched_; }
    // Files read by the last look, for tests and benchmarks.
    std::size_t filesRead() const { return filesRead_; }

private:
    std::optional<int> newestPid();
    // Reads the next part of the list, or all of it: adds what is new and,
    // at the end of a pass, forgets what ended. False if it cannot be read.
    bool listSome(bool whole);
    void probe(int from, int to);
    // Reads a new process from its status; false if there is none (yet).
    // A thread is passed over.
    bool add(int pid, bool young);
    void forget(int pid);
    // Rereads the thread name (with the status: also the user and the
    // state); forgets the process and answers false once it has ended.
    bool recheck(int pid, bool withStatus);
    void recheckYoung();
    // How long the process has run, from its start time and the uptime.
    std::optional<double> secondsRunning(const std::string& pid);
    void recheckShare();
    bool isYoung(const Process& process) const { return look_ < process.youngUntil; }

    std::string procRoot_;
    int dirFd_ = -1;
    int loadavgFd_ = -1;
    int pidMax_ = 0;  // 0 when unknown
    unsigned look_ = 0;
    std::optional<int> lastNewest_;
    std::map<int, Process> processes_;
    std::set<int> watched_;
    std::deque<std::pair<unsigned, int>> young_;  // (first look, pid), oldest first
    std::vector<int> changed_, missing_;
    bool listing_ = false;  // a pass is under way
    unsigned pass_ = 0, passStart_ = 0, nextPass_ = 0;
    int shareCursor_ = 0;
    std::size_t filesRead_ = 0;
    std::optional<double> uptime_;  // read once per look that needs it
    unsigned uptimeLook_ = 0;
};

}  // namespace syncward
