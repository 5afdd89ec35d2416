#pragma once

#include "core/platform/process_table.h"

namespace syncward {

// The process list from a process snapshot, taken once per query. A process
// has name N when N equals, letter case ignored as the file system ignores
// it, its executable's file name ("bitcoind.exe"). Only processes whose
// user is the program's own are counted and ended: another user's node on
// the same computer is not this program's business. A process whose user
// cannot be read (a system service) counts as another user's.
class SnapshotProcessTable : public ProcessTable {
public:
    // What this program started is told by its job (started_here_job.h).
    std::optional<std::vector<NamedProcesses>> look(const std::vector<std::string>& names) override;
    // Ends, at once, the processes look() would count; this program
    // itself, when it has that name, last.
    void terminate(const std::string& name) override;
    void terminateOurs(const std::string& name) override;
    // Windows has no request that a console node and a wallet both take as
    // "shut down cleanly": the node's own stop request does that. Nothing
    // happens here.
    void askOursToShutDown(const std::string&) override {}

private:
    void end(const std::string& name, bool onlyOurs);
};

}  // namespace syncward
