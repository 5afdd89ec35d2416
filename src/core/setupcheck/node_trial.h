#pragma once

#include <string>

#include "core/form/controls.h"
#include "core/form/timer.h"
#include "core/processes/command_file.h"
#include "core/setupcheck/setup_facts.h"

namespace syncward {

struct AppContext;

// TRY THE NODE: a short dry run through the command files a run uses. It
// starts the chosen node, has the node check ask it (chain state, peers,
// network) until it answers, at most two minutes, sends the stop request
// and waits until the process has exited. Each stage is told with its time
// in the report box; a node that does not start is told with the last
// lines of its own log. It refuses to start a node that already runs, and
// leaves none running: a node that does not exit after the stop request is
// asked to shut down, then ended.
class NodeTrial {
public:
    // The timer ticks twice a second; report and status are the window's.
    NodeTrial(AppContext& app, Timer& timer, TextBox& report, TextBox& status);

    void start(const SetupFacts& facts);
    bool underWay() const { return stage_ != Stage::Idle; }
    // Whether the last trial ended with the node answered and exited.
    bool succeeded() const { return succeeded_; }

    static constexpr int tickMs = 500;
    static constexpr int answerLimitTicks = 240;  // two minutes
    static constexpr int neverRanTicks = 20;      // not seen after ten seconds
    static constexpr int stopLimitTicks = 240;

private:
    enum class Stage { Idle, Waiting, Stopping };

    void tick();
    void waitTick(bool running);
    void askNode();
    bool readAnswer();
    void sendStop();
    void stopTick(bool running);
    void finish(const std::string& status, bool success);
    void note(const std::string& line);
    std::string elapsed() const;
    std::string nodeLogTail() const;
    std::string path(CommandFile file) const;

    AppContext& app_;
    Timer& timer_;
    TextBox& report_;
    TextBox& status_;
    SetupFacts facts_;
    std::string nodeName_;
    Stage stage_ = Stage::Idle;
    int ticks_ = 0;
    int stopTicks_ = 0;
    bool seen_ = false;
    bool asking_ = false;
    int askTicks_ = 0;
    bool failed_ = false;
    bool succeeded_ = false;
};

}  // namespace syncward
