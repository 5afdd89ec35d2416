#pragma once

#include <windows.h>

namespace syncward {

// Every program this one starts is put in one job object, before it runs,
// and what it starts in turn joins the job by itself. That is how the
// process list tells what this program started: a second node of the same
// coin, a client the user runs or what an earlier run of this copy left is
// in no job of ours.

// Puts a process that was created suspended into the job. False when the
// system refused (a job that forbids nesting, on an old Windows): the
// process list then cannot tell ours from others and counts every process
// of a name as ours, as the program did before it knew better.
bool joinStartedHereJob(HANDLE process);

// Whether the process (opened with at least limited query rights) was
// started by this program: in the job, or any process of the name when
// joining ever failed. False when nothing was started yet.
bool isStartedHere(HANDLE process);

}  // namespace syncward
