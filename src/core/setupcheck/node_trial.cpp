#include "core/setupcheck/node_trial.h"

#include <algorithm>
#include <vector>

#include "core/blockcounter/node_check_answer.h"
#include "core/form/colour.h"
#include "core/setupcheck/setup_check_texts.h"
#include "core/state/app_context.h"
#include "core/state/home_layout.h"

namespace syncward {

namespace texts = node_trial_texts;

namespace {

// The "chain" field of getblockchaininfo ("main", "test", "regtest"), read
// as text: the platform's reader gives the numbers only.
std::string chainName(const std::string& answer) {
    const auto key = answer.find("\"chain\"");
    if (key == std::string::npos) return "?";
    const auto open = answer.find('"', answer.find(':', key) + 1);
    const auto close = open == std::string::npos ? open : answer.find('"', open + 1);
    return close == std::string::npos ? "?" : answer.substr(open + 1, close - open - 1);
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \r\n\t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \r\n\t") - first + 1);
}

}  // namespace

NodeTrial::NodeTrial(AppContext& app, Timer& timer, TextBox& report, TextBox& status)
    : app_(app), timer_(timer), report_(report), status_(status) {
    timer_.setInterval(tickMs);
    timer_.onTick.connect([this] { tick(); });
}

std::string NodeTrial::path(CommandFile file) const {
    return commandFilePath(app_.profile(), facts_.home, facts_.exe, file);
}

void NodeTrial::note(const std::string& line) {
    report_.setText(report_.text() + (report_.text().empty() ? "" : "\n") + elapsed() + "  " + line);
}

std::string NodeTrial::elapsed() const {
    const int tenths = ticks_ * tickMs / 100;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " S";
}

void NodeTrial::finish(const std::string& status, bool success) {
    timer_.stop();
    stage_ = Stage::Idle;
    succeeded_ = success;
    note(status);
    status_.setText(status);
    status_.setColours(colours::black, success ? colours::green : colours::red);
}

void NodeTrial::start(const SetupFacts& facts) {
    if (underWay()) return;
    facts_ = facts;
    report_.setText("");
    ticks_ = stopTicks_ = askTicks_ = 0;
    seen_ = asking_ = failed_ = succeeded_ = false;
    const CommandFile nodeFile = facts.runDaemon ? CommandFile::RunDaemon : CommandFile::RunQt;
    nodeName_ = facts.runDaemon ? facts.node.daemonName : facts.runQt ? facts.node.qtName : std::string();
    const auto refuse = [this](const char* why) {
        status_.setText(why);
        status_.setColours(colours::black, colours::red);
    };
    if (app_.main.RUN_UNDER_WAY) return refuse(texts::runUnderWay);
    if (nodeName_.empty()) return refuse(texts::noNode);
    if (facts.node.cliName.empty()) return refuse(texts::noClient);
    const auto running = app_.platform.processes.running({nodeName_});
    if (!running) return refuse(texts::processListUnreadable);
    if (running->front()) return refuse(texts::alreadyRunning);
    for (CommandFile file : {nodeFile, CommandFile::NodeCheck, CommandFile::CliStop}) {
        if (!app_.platform.files.readText(path(file), read_limits::shownInWindow).text) {
            const std::string name = facts.exe + commandFileStem(file) + app_.profile().commandFileExtension();
            status_.setText("!!! COMMAND FILE " + name + " MISSING - CRYPTO SETTINGS: \"Save\" WRITES IT - NOTHING STARTED !!!");
            status_.setColours(colours::black, colours::red);
            return;
        }
    }
    if (!app_.platform.launcher.runCommandFile(path(nodeFile))) return refuse(texts::notStarted);
    note("STARTED " + facts.exe + commandFileStem(nodeFile) + app_.profile().commandFileExtension());
    status_.setText(texts::starting);
    status_.setColours(colours::black, colours::yellow);
    stage_ = Stage::Waiting;
    timer_.start();
}

void NodeTrial::tick() {
    ++ticks_;
    // The trial's own node: another of the same name, started meanwhile by
    // the user or another copy, is not waited for.
    const auto seen = app_.platform.processes.look({nodeName_});
    const bool runs = seen && seen->front().ours;
    if (stage_ == Stage::Waiting)
        waitTick(runs);
    else if (stage_ == Stage::Stopping)
        stopTick(runs);
}

std::string NodeTrial::nodeLogTail() const {
    const TextRead log = app_.platform.files.readText(
        home_layout::nodeLogFile(app_.profile(), facts_.home, facts_.exe), read_limits::shownInWindow);
    if (!log.text || trimmed(*log.text).empty()) return "(THE NODE'S LOG IS EMPTY)";
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < log.text->size();) {
        const std::size_t end = std::min(log.text->find('\n', start), log.text->size());
        if (const std::string line = trimmed(log.text->substr(start, end - start)); !line.empty()) lines.push_back(line);
        start = end + 1;
    }
    std::string tail;
    for (std::size_t i = lines.size() > 3 ? lines.size() - 3 : 0; i < lines.size(); ++i) tail += "\n    " + lines[i];
    return "THE NODE'S LOG:" + tail;
}

void NodeTrial::waitTick(bool running) {
    if (running && !seen_) {
        seen_ = true;
        note("THE NODE RUNS (" + nodeName_ + ")");
    }
    if (!running && (seen_ || ticks_ >= neverRanTicks)) {
        note(nodeLogTail());
        finish(seen_ ? texts::ended : texts::neverRan, false);
        return;
    }
    if (ticks_ >= answerLimitTicks) {
        failed_ = true;
        note(texts::noAnswer);
        sendStop();
        return;
    }
    status_.setText("WAITING FOR THE NODE'S ANSWER - " + elapsed() + " OF AT MOST 120 S");
    if (!seen_) return;
    if (!asking_) {
        askNode();
    } else if (readAnswer()) {
        sendStop();
    }
}

// The node check's command file, as the block counter runs it, into its
// own file; asked again until the node answers.
void NodeTrial::askNode() {
    const std::string answerFile = home_layout::nodeCheckFile(app_.profile(), facts_.home, facts_.exe);
    app_.platform.files.removeFile(answerFile);
    asking_ = app_.platform.launcher.runCommandFile(path(CommandFile::NodeCheck));
    askTicks_ = 0;
}

bool NodeTrial::readAnswer() {
    ++askTicks_;
    const TextRead read = app_.platform.files.readText(
        home_layout::nodeCheckFile(app_.profile(), facts_.home, facts_.exe), read_limits::shownInWindow);
    const NodeCheckAnswer answer = read.text ? splitNodeCheckAnswer(*read.text) : NodeCheckAnswer{};
    if (!answer.complete) {
        if (askTicks_ > 60) asking_ = false;  // a hung client: ask afresh
        return false;
    }
    asking_ = false;
    const std::string& chainText = answer.answerTo("getblockchaininfo");
    const std::optional<ChainState> chain = app_.platform.nodeAnswers.chainState(chainText);
    if (!chain) return false;  // still starting, or not answering yet
    const std::optional<PeerState> peers = app_.platform.nodeAnswers.peers(answer.answerTo("getpeerinfo"));
    note("ANSWERED: NETWORK " + chainName(chainText) + ", " + std::to_string(chain->blocks.value_or(0)) + " BLOCKS, " +
         std::to_string(chain->headers.value_or(0)) + " HEADERS, " + std::to_string(peers ? peers->connected : 0) +
         " PEERS, " + trimmed(answer.answerTo("getconnectioncount")) + " CONNECTIONS");
    return true;
}

void NodeTrial::sendStop() {
    stage_ = Stage::Stopping;
    stopTicks_ = 0;
    status_.setText(texts::stopping);
    if (app_.platform.launcher.runCommandFile(path(CommandFile::CliStop))) {
        note("STOP REQUEST SENT");
    } else {
        note(app_.profile().inOwnWords(texts::stopNotStarted, texts::stopNotStartedWindows));
        app_.platform.processes.askOursToShutDown(nodeName_);
    }
}

// Asked to stop, the node gets two minutes; half-way it is asked to shut
// down by the system as well, at the end it is ended at once.
void NodeTrial::stopTick(bool running) {
    ++stopTicks_;
    if (!running) {
        note("THE NODE HAS EXITED");
        finish(failed_ ? texts::stoppedAfterFailure : texts::succeeded, !failed_);
        return;
    }
    if (stopTicks_ == stopLimitTicks / 2) app_.platform.processes.askOursToShutDown(nodeName_);
    if (stopTicks_ >= stopLimitTicks) {
        app_.platform.processes.terminateOurs(nodeName_);
        finish(texts::killed, false);
        return;
    }
    status_.setText("WAITING FOR THE NODE TO EXIT - " + elapsed());
}

}  // namespace syncward
