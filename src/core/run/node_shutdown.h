#pragma once

#include <string>
#include <vector>

namespace syncward {

struct AppContext;
class MainWindow;

// Ends a block-count client still running once the block counter is done.
void endHangingClient(AppContext& app);

// Runs the stop command file; says so when it could not be started.
void sendStopRequest(AppContext& app);

// The named node programs the process watch does not yet show stopped.
std::vector<std::string> nodeProgramsStillRunning(MainWindow& w);

// One second of waiting for the node: the time waited in the status, the
// stop request again every minute and, under POSIX, a clean shutdown
// signal when the request cannot reach the node or has not worked after
// five minutes.
void keepAskingTheNodeToStop(AppContext& app, const std::vector<std::string>& running);

}  // namespace syncward
