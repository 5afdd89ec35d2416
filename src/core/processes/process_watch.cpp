#include "core/processes/process_watch.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/state/app_context.h"
#include "core/state/main_window_painter.h"

namespace syncward {

namespace {

// Two seconds of the watch's 250 ms looks.
constexpr int steadyLooks = 8;

inline constexpr const char* processListUnavailable = "!!! PROCESS LIST UNAVAILABLE - PROCESS BOXES NOT UPDATED !!!";

struct Watched {
    WatchedProgram program;
    std::string name;
};

class ProcessWatch {
public:
    explicit ProcessWatch(AppContext& app) : app_(app) {}

    void tick() {
        MainWindow& w = app_.main;
        std::vector<Watched> watched;
        const std::array<std::pair<const TextBox*, WatchedProgram>, 3> configured = {{
            {&w.QT_NAME_TEXTBOX, WatchedProgram::qt},
            {&w.DAEMON_NAME_TEXTBOX, WatchedProgram::daemon},
            {&w.CLI_NAME_TEXTBOX, WatchedProgram::client}}};
        for (const auto& [nameBox, program] : configured)
            if (!nameBox->text().empty()) watched.push_back({program, nameBox->text()});
        watched.push_back({WatchedProgram::mailer, app_.profile().mailerName()});

        std::vector<std::string> names;
        for (const Watched& entry : watched) names.push_back(entry.name);
        // While a run is under way, the node on the copy's data folder is
        // the run's own, also one an earlier run that was cut short left
        // there: the run's own node could not start beside it.
        app_.platform.processes.claimNodesOnDataFolder(w.run.switches.chain ? w.BLOCKCHAIN_HOME_TEXTBOX.text()
                                                                            : std::string());
        // One look at the process list answers every program of this tick.
        const auto answers = app_.platform.processes.look(names);
        if (!answers || answers->size() != names.size()) {
            // The state keeps its last answers: the readers (the block
            // counter, the run's shutdown wait) then wait rather than act
            // on a guess. Said once, not four times a second.
            if (!failing_) app_.status(processListUnavailable);
            failing_ = true;
            return;
        }
        failing_ = false;

        bool nodeRunning = false;
        for (std::size_t i = 0; i < watched.size(); ++i) {
            const WatchedProgram program = watched[i].program;
            const NamedProcesses& seen = (*answers)[i];
            setProgramSeen(w, program, seen.running);
            w.run.programs.ours(program) = seen.ours ? ProgramSeen::running : ProgramSeen::stopped;
            const bool node = program == WatchedProgram::qt || program == WatchedProgram::daemon;
            if (seen.ours && node) nodeRunning = true;
            if (seen.foundOnDataFolder && node && !w.facts.nodeLeftByEarlierRun) {
                w.facts.nodeLeftByEarlierRun = true;
                app_.status(std::string("!!! ") + run_fact_texts::nodeLeftByEarlierRun + " !!!");
            }
        }
        // A node that refuses its data folder or its configuration is in
        // the list for a moment before it exits: only one seen on looks
        // that span two seconds has really run. Only our own node counts:
        // another of the same coin says nothing of how ours fares.
        w.NODE_RUNNING_LOOKS = nodeRunning ? w.NODE_RUNNING_LOOKS + 1 : 0;
        if (w.NODE_RUNNING_LOOKS > steadyLooks) w.NODE_SEEN_RUNNING = true;
    }

private:
    AppContext& app_;
    bool failing_ = false;
};

}  // namespace

void installProcessWatch(AppContext& app) {
    auto watch = std::make_shared<ProcessWatch>(app);
    app.main.MULTI_PROCESS_WATCHER_TIMER.onTick.connect([watch] { watch->tick(); });
}

}  // namespace syncward
