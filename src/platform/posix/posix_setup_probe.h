#pragma once

#include "core/platform/setup_probe.h"

namespace syncward {

// The set-up check's questions, answered by the system calls themselves:
// access() as the real user, a non-blocking connect() and poll(), and a
// program spawned with its output on a pipe.
class PosixSetupProbe : public SetupProbe {
public:
    PathFacts path(const std::string& path) override;
    ServerGreeting greeting(const std::string& host, int port, int limitMs) override;
    ProgramOutput runToEnd(const std::vector<std::string>& argv, int limitMs) override;
    std::vector<std::string> programFolders() override;
    std::vector<std::string> folderNames(const std::string& folder) override;
};

}  // namespace syncward
