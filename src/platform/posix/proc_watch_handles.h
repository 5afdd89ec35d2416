#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace syncward {

struct ProcKnownNames;

// What the watch keeps between its looks at /proc, four times a second.
// For each process it holds the thread name file (/proc/PID/comm) open:
// reading an open file again costs one call where opening it by path costs
// three and a lookup, and the open file stays bound to that very process
// (once the process has ended it reads as an error, even if its number has
// been given to a new one), so what was learnt about it stays valid for
// exactly as long as the process lives. Beside that, a process that runs
// another program (exec, as a command file's shell does) gets a new thread
// name, which the reader notices. Past a cap, so that the program's own
// files never run short of descriptors, further processes are opened by
// path on every look, and remembered only by number and thread name.
class ProcWatchHandles {
public:
    struct Seen {
        int procFd;                 // the /proc folder, for the process's other files
        const std::string& pid;     // its folder name
        std::string_view comm;      // its thread name as just read, without the line end
        ProcKnownNames& remembered; // what earlier looks learnt; empty for a process new here
    };
    static constexpr std::size_t maxHeld = 512;

    explicit ProcWatchHandles(std::string procRoot);
    ~ProcWatchHandles();
    ProcWatchHandles(const ProcWatchHandles&) = delete;
    ProcWatchHandles& operator=(const ProcWatchHandles&) = delete;

    // Calls visit for every process whose thread name can be read, in the
    // list's order, until visit returns false; then forgets processes that
    // were not listed (only after a full pass). False when the list itself
    // could not be read.
    bool scan(const std::function<bool(Seen&)>& visit);
    // How many thread name files are held open now.
    std::size_t held() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace syncward
