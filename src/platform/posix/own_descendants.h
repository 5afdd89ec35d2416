#pragma once

#include <sys/types.h>

#include <mutex>

namespace syncward {

// What this program started is known by descent, which a program cannot
// shed: renaming itself, rewriting its environment (the mailer's new
// title overwrites it), a session of its own or a double fork leave it a
// descendant of ours, because the program makes itself the reaper of
// everything its children leave behind. A node that puts itself in the
// background is re-parented to us, not to the system's first process.
//
// Made once at start; false when the system refuses (a kernel without
// child reapers), and descent then ends where a daemon forks away.
bool adoptOrphanedDescendants();

// Whether pid descends from this program, following the parent ids that
// the status files under the /proc folder (procFd) give.
bool descendsFromThisProgram(int procFd, pid_t pid);

// Every child this program forks itself is entered here, under the lock
// held across the fork, and leaves once its own waiter has collected it:
// the sweep below collects only what we adopted and leaves our own
// children's exit statuses to whoever waits for them.
std::unique_lock<std::mutex> lockOwnChildren();
void noteOwnChild(pid_t child);           // with the lock held
void forgetOwnChild(pid_t child);         // takes the lock itself

// Collects the adopted descendants that have ended, so that none stays a
// zombie for the program's lifetime. Nothing to do unless
// adoptOrphanedDescendants() succeeded.
void reapEndedAdoptedDescendants();

}  // namespace syncward
