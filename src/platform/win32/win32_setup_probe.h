#pragma once

#include "core/platform/setup_probe.h"

namespace syncward {

// The set-up check's questions, answered by the Windows calls themselves.
// A path's rights are those its access list grants the program's user (a
// read-only file is not writable); a file is executable when the user may
// run it and its extension makes it a program (.exe, .bat, .cmd, .com), a
// folder never. Windows has no "readable by others" bit: a file is never
// reported as shared. Programs run without a shell and without a window,
// their output and errors read through one pipe.
class Win32SetupProbe : public SetupProbe {
public:
    Win32SetupProbe();
    ~Win32SetupProbe() override;
    Win32SetupProbe(const Win32SetupProbe&) = delete;
    Win32SetupProbe& operator=(const Win32SetupProbe&) = delete;

    PathFacts path(const std::string& path) override;
    ServerGreeting greeting(const std::string& host, int port, int limitMs) override;
    ProgramOutput runToEnd(const std::vector<std::string>& argv, int limitMs) override;
    std::vector<std::string> programFolders() override;
    std::vector<std::string> folderNames(const std::string& folder) override;

private:
    bool socketsReady_ = false;
};

}  // namespace syncward
