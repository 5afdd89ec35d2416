// Stopping the node at the end of a run: the stop request, repeated while
// the node is still there, and under POSIX a clean shutdown signal when
// the request cannot reach it. A node is never killed: it may be writing
// its database.
#include "core/run/node_shutdown.h"

#include "core/processes/command_file_runner.h"
#include "core/state/app_context.h"
#include "core/time/clock_text.h"

namespace syncward {

namespace {

constexpr long long stopRequestRepeatSeconds = 60;
constexpr long long shutdownRequestAfterSeconds = 300;

}  // namespace

// A client still hanging from the last poll would hold the node's RPC: the
// block counter is done with it, so it is ended.
void endHangingClient(AppContext& app) {
    MainWindow& w = app.main;
    const std::string& client = w.CLI_NAME_TEXTBOX.text();
    if (client.empty() || !w.run.programs.oursRunning(WatchedProgram::client)) return;
    app.platform.processes.terminateOurs(client);
}

// A stop request that could not be started is said so at once: waiting
// for a node that was never asked to stop would wait for ever.
void sendStopRequest(AppContext& app) {
    MainWindow& w = app.main;
    w.STOP_REQUEST_FAILED = !runCommandFile(app, CommandFile::CliStop);
    if (w.STOP_REQUEST_FAILED) app.status("!!! CLI-STOP REQUEST NOT SENT - COMMAND FILE COULD NOT BE STARTED !!!");
}

// The node programs step 12 waits for: those with a name (a program
// without one is never watched) that this program started and that have
// not been seen stopped yet. Another node of the same name is not waited
// for.
std::vector<std::string> nodeProgramsStillRunning(MainWindow& w) {
    std::vector<std::string> running;
    if (!w.QT_NAME_TEXTBOX.text().empty() && !w.run.programs.oursStopped(WatchedProgram::qt))
        running.push_back(w.QT_NAME_TEXTBOX.text());
    if (!w.DAEMON_NAME_TEXTBOX.text().empty() && !w.run.programs.oursStopped(WatchedProgram::daemon))
        running.push_back(w.DAEMON_NAME_TEXTBOX.text());
    return running;
}

// While the node has not stopped: the stop request again once a minute (a
// node still warming up refuses the first; one already stopping ignores a
// repeat). Under POSIX, when the request cannot be sent or the node is
// still there after five minutes, the node is asked to shut down itself
// (SIGTERM, a clean shutdown for these nodes; never SIGKILL).
void keepAskingTheNodeToStop(AppContext& app, const std::vector<std::string>& running) {
    MainWindow& w = app.main;
    ++w.SHUTDOWN_WAIT_ELAPSED;
    app.status("WAITING FOR QT / DAEMON SHUTDOWN - " + formatClock(w.SHUTDOWN_WAIT_ELAPSED));
    if (w.SHUTDOWN_WAIT_ELAPSED % stopRequestRepeatSeconds == 0) sendStopRequest(app);
    const bool posix = app.profile().flavour() == PlatformProfile::Flavour::Posix;
    if (posix && !w.SHUTDOWN_REQUESTED &&
        (w.STOP_REQUEST_FAILED || w.SHUTDOWN_WAIT_ELAPSED >= shutdownRequestAfterSeconds)) {
        for (const std::string& program : running) app.platform.processes.askOursToShutDown(program);
        w.SHUTDOWN_REQUESTED = true;
    }
    if (w.SHUTDOWN_REQUESTED)
        app.status("!!! NODE NOT STOPPED BY CLI - ASKED TO SHUT DOWN (SIGTERM) - WAITING " +
                   formatClock(w.SHUTDOWN_WAIT_ELAPSED) + " !!!");
    else if (w.STOP_REQUEST_FAILED)
        app.status("!!! CLI-STOP REQUEST NOT SENT - WAITING " + formatClock(w.SHUTDOWN_WAIT_ELAPSED) + " !!!");
}

}  // namespace syncward
