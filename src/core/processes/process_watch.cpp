#include "core/processes/process_watch.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/state/app_context.h"

namespace syncward {

namespace {

// Two seconds of the watch's 250 ms looks.
constexpr int steadyLooks = 8;

inline constexpr const char* processListUnavailable = "!!! PROCESS LIST UNAVAILABLE - PROCESS BOXES NOT UPDATED !!!";

struct WatchedBox {
    int box;
    std::string name;
    std::string role;  // the tooltip's first word
};

class ProcessWatch {
public:
    explicit ProcessWatch(AppContext& app) : app_(app) {}

    void tick() {
        MainWindow& w = app_.main;
        std::vector<WatchedBox> watched;
        const std::array<std::pair<const TextBox*, const char*>, 3> configured = {{
            {&w.QT_NAME_TEXTBOX, "QT"}, {&w.DAEMON_NAME_TEXTBOX, "DAEMON"}, {&w.CLI_NAME_TEXTBOX, "CLI"}}};
        for (int n = 1; n <= 3; ++n) {
            const auto& [nameBox, role] = configured[n - 1];
            if (!nameBox->text().empty()) watched.push_back({n, nameBox->text(), role});
        }
        const std::string& mailer = app_.profile().mailerName();
        watched.push_back({4, mailer, mailer});

        std::vector<std::string> names;
        for (const WatchedBox& entry : watched) names.push_back(entry.name);
        // One look at the process list answers every box of this tick.
        const auto answers = app_.platform.processes.running(names);
        if (!answers || answers->size() != names.size()) {
            // The boxes keep their last known colours: the readers (the
            // block counter, the run's shutdown wait) then wait rather than
            // act on a guess. Said once, not four times a second.
            if (!failing_) app_.status(processListUnavailable);
            failing_ = true;
            return;
        }
        failing_ = false;

        bool nodeRunning = false;
        for (std::size_t i = 0; i < watched.size(); ++i) {
            const bool running = (*answers)[i];
            if (running && (watched[i].box == 1 || watched[i].box == 2)) nodeRunning = true;
            TextBox& box = w.processBox(watched[i].box);
            box.setBackground(running ? colours::green : colours::red);
            box.setTooltip(watched[i].role + (running ? " PROCESS RUNNING" : " PROCESS STOPPED"));
            if (watched[i].box == 3) w.RUN_NOW_BUTTON.setEnabled(!running);
        }
        // A node that refuses its data folder or its configuration is in
        // the list for a moment before it exits: only one seen on looks
        // that span two seconds has really run.
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
    app.main.MULTI_PROCESS_WATCHER_TIMER.onTick = [watch] { watch->tick(); };
}

}  // namespace syncward
