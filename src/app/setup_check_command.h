#pragma once

namespace syncward {

// "--check": this copy's set-up checked without a window (offscreen, so it
// works over ssh and in scripts), one line per check on standard output.
// 0 when no line is red, 1 otherwise. A copy that is already running is
// no hindrance: nothing is started or changed.
int runSetupCheckCommand(int argc, char* argv[]);

// Exit status of a check with red lines.
inline constexpr int setupCheckFailed = 1;

}  // namespace syncward
