#pragma once

#include <string>

namespace syncward {

struct AppContext;
class MainWindow;

// The node programs that have a name and that this program started, as the
// process watch last saw them: one of them running, all of them stopped (or
// none named at all), or not looked at yet. A program without a name is never watched, so it decides
// nothing.
enum class NodePresence { running, stopped, notSeenYet };
NodePresence namedNodePresence(MainWindow& w);

// Why there is no chain to judge with the node not running: it stopped
// during the run, or it never ran (was never seen for long), with the
// reason its start failed and, under POSIX, the node log's path and last
// line.
std::string nodeGoneReason(AppContext& app);

}  // namespace syncward
