#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace syncward {

// Every program this one starts carries a mark in its environment, a token
// drawn once per process of ours, and hands it on to whatever it starts in
// turn. That is how the process list tells what this program started: a
// node that puts itself in the background has a new parent and a session
// of its own, but keeps its environment. A second node of the same coin, a
// client the user runs in a terminal, or what an earlier run of this copy
// left, carries no mark or another one.
const std::string& startedHereMark();  // "SYNCWARD_STARTED_BY=<token>"

// This program's environment for a program it starts: its own, with the
// mark in place of any mark it inherited itself.
std::vector<std::string> environmentForStart();

// Whether an environment as /proc/PID/environ gives it (entries ended by
// NUL bytes) holds this program's mark.
bool environmentHasMark(std::string_view environment);

}  // namespace syncward
