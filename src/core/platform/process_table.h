#pragma once

#include <optional>
#include <string>
#include <vector>

namespace syncward {

// The system's list of processes, queried by executable name (letter case
// ignored). One query answers several names from one look at the list.
class ProcessTable {
public:
    virtual ~ProcessTable() = default;
    // For each name, whether at least one process has it; nullopt when the
    // list could not be read.
    virtual std::optional<std::vector<bool>> running(const std::vector<std::string>& names) = 0;
    // Ends, at once, every process of this user with that name.
    virtual void terminate(const std::string& name) = 0;
};

}  // namespace syncward
