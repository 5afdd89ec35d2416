#pragma once

#include <string>
#include <vector>

#include "core/platform/setup_probe.h"

namespace syncward {

// Runs a program (argv[0] its path; no shell, no window) to its end, at
// most for limitMs, its standard output and error read through one pipe
// while it runs; standard input is the null device. A program still
// running at the limit is ended. A program it started and left running
// with the pipe is not waited for: what it prints later is not read.
ProgramOutput runProgramToEnd(const std::vector<std::string>& argv, int limitMs);

}  // namespace syncward
