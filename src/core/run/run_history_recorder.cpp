#include "core/run/run_history_recorder.h"

#include "core/run/run_outcome.h"
#include "core/platform/power_refusal.h"
#include "core/blockcounter/node_check.h"
#include "core/reports/history_mail_table.h"
#include "core/settings/email_main_settings_window.h"
#include "core/state/app_context.h"
#include "core/state/home_layout.h"

namespace syncward {

namespace {

constexpr const char* stoppedOutcome = main_texts::runStopped;
constexpr const char* closedOutcome = "!!! RUN CUT SHORT - PROGRAM CLOSED !!!";
constexpr const char* underWayOutcome = "!!! RUN UNDER WAY !!!";
// How many runs the end-report mail carries, this one included.
constexpr std::size_t runsInMail = 5;
// How often, at most, the kept row of a waiting run is written again only
// to move its end on: a row cut short tells its length to within this, at
// the price of one small file write in this many seconds.
constexpr long long aliveEvery = 15;

// What the node said of the chain, by the run's typed verdict.
std::string nodeCheckResult(const MainWindow& w, bool counterEnded) {
    const RunFacts& f = w.facts;
    if (!f.nodeCheck.failure.empty()) return "NOT CONFIRMED - " + f.nodeCheck.failure;
    if (!f.runFailure.empty()) return "NO CHAIN TO JUDGE - " + f.runFailure;
    if (!w.CONFIRM_WITH_NODE_TICKBOX.ticked() || !w.TASK_8_ENABLE_TICKBOX.ticked() || !counterEnded) return "NOT ASKED";
    if (!f.nodeCheck.partial.empty()) return "PARTIAL - NOT CHECKED: " + f.nodeCheck.partial;
    return "CONFIRMED";
}

std::string finalAction(const MainWindow& w) {
    const std::string& action = w.AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX.text();
    const std::string& power = w.AUTOTIMER_ACTION_TEXTBOX.text();
    return power.empty() || power == action ? action : action + " - " + power;
}

std::string nodeProgram(const MainWindow& w) {
    const std::string& which = w.RUN_QT_OR_D_TEXTBOX.text();
    if (which.empty()) return {};
    return which + " - " + (which == "DAEMON" ? w.DAEMON_NAME_TEXTBOX.text() : w.QT_NAME_TEXTBOX.text());
}

// The row kept beside the history: one whole line, written with its line
// end, perhaps by an earlier version.
std::optional<RunRecord> keptRow(std::string_view text) {
    if (!text.ends_with('\n')) return std::nullopt;
    text.remove_suffix(1);
    if (text.ends_with('\r')) text.remove_suffix(1);
    if (text.find('\n') != std::string_view::npos) return std::nullopt;
    return parseHistoryRow(text);
}

}  // namespace

RunHistoryRecorder::RunHistoryRecorder(AppContext& app) : app_(app) {}

RunRecord RunHistoryRecorder::currentRecord(const std::string& outcome) const {
    const MainWindow& w = app_.main;
    Environment& env = app_.platform.environment;
    RunRecord r;
    r.start = start_;
    r.startOffset = startOffset_;
    r.end = env.secondsSinceEpoch();
    r.endOffset = env.utcOffsetSeconds(r.end);
    const RunFacts& f = w.facts;
    // Each figure only once the step that takes it is done: before that
    // the facts still hold the run before's.
    if (reached(RunStep::startNode)) r.nodeProgram = nodeProgram(w);
    if (reached(RunStep::logStartBlock)) r.blocksBefore = f.startBlock.number();
    if (reached(RunStep::logEndBlock)) r.blocksAfter = f.endBlock.number();
    if (r.blocksBefore && r.blocksAfter) r.blocksDownloaded = *r.blocksAfter - *r.blocksBefore;
    r.bytesBefore = f.folderBefore.bytes;
    r.bytesAfter = f.folderAfter.bytes;
    r.nodeExitSeconds = f.nodeExitSeconds();
    if (reached(RunStep::startBlockCounter)) r.blockCounterOutcome = counterOutcome();
    r.runOutcome = outcome;
    r.nodeCheck = nodeCheckResult(w, reached(RunStep::waitForBlockCounter));
    if (reached(RunStep::createEndReport)) r.finalAction = finalAction(w);
    return r;
}

// The last-run box keeps the phase before's outcome until this run's phase
// ends (and hands on to the next step) or this run changes it (a stop or a
// start by hand). Until then this run's outcome is not known: nothing, not
// an earlier run's word.
std::string RunHistoryRecorder::counterOutcome() const {
    const MainWindow& w = app_.main;
    if (!w.TASK_8_ENABLE_TICKBOX.ticked()) return "SKIPPED";
    const std::string& shown = w.BLOCKCOUNTER_LAST_RUN_TEXTBOX.text();
    if (reached(RunStep::waitForBlockCounter) || shown != counterOutcomeBefore_) return shown;
    return {};
}

void RunHistoryRecorder::install() {
    MainWindow& w = app_.main;
    w.runEvents.stepDone.connect([this](RunStep step) { stepDone(step); });
    w.runEvents.stoppedByHand.connect([this] { runEnded(stoppedOutcome); });
    // The run-time clock ticks every second from the third step on, through
    // every wait of the run.
    w.RUNTIME_TIMER.onTick.connect([this] { keepAlive(); });
    // The window's own close tears down in the after phase: this still
    // sees the run as it stood.
    w.onClose.connect([this, &w] {
        if (w.RUN_UNDER_WAY) runEnded(closedOutcome);
        writeUnwritten();
    });
}

void RunHistoryRecorder::stepDone(RunStep step) {
    if (step == RunStep::logDateTimeAndComputer) runStarted();
    if (step == RunStep::startBlockCounter)
        counterOutcomeBefore_ = app_.main.BLOCKCOUNTER_LAST_RUN_TEXTBOX.text();
    if (started_) reached_ = stepNumber(step);
    if (step == RunStep::createEndReport) writeReportMail();
    // The last steps also follow the block counter used by hand, outside
    // any run: they report and close, but that is no run of its own.
    if (!started_) return;
    if (step == RunStep::finalAction) {
        // The last step stored the outcome the last-run box shows.
        endedWithLastStep_ = runEnded(app_.main.MULTILOADER_LAST_RUN_TEXTBOX.text());
        return;
    }
    keepUnderWay();
}

void RunHistoryRecorder::runStarted() {
    Environment& env = app_.platform.environment;
    start_ = env.secondsSinceEpoch();
    startOffset_ = env.utcOffsetSeconds(start_);
    started_ = true;
    keptUnderWay_.clear();
    endedWithLastStep_.reset();
}

std::string RunHistoryRecorder::underWayFile() const {
    return home_layout::runUnderWayFile(app_.profile(), app_.main.SYNCWARD_HOME_TEXTBOX.text(), app_.executableName);
}

// Written only when the row changed: the waiting steps tick every second.
void RunHistoryRecorder::keepUnderWay() {
    if (!app_.profile().isAbsoluteFolder(app_.main.SYNCWARD_HOME_TEXTBOX.text())) return;
    const RunRecord record = currentRecord(underWayOutcome);
    const std::string row = historyRow(record, app_.profile().lineEnd());
    if (row == keptUnderWay_) return;
    // A write that fails is not tried again before the next step or the
    // next while, so a full disk is not hammered every second.
    keptAt_ = record.end;
    if (app_.platform.files.writeText(underWayFile(), row)) keptUnderWay_ = row;
}

void RunHistoryRecorder::keepAlive() {
    if (!started_) return;
    // A clock set back starts the while afresh rather than waiting it out.
    const long long since = app_.platform.environment.secondsSinceEpoch() - keptAt_;
    if (since >= 0 && since < aliveEvery) return;
    keepUnderWay();
}

RunRecord RunHistoryRecorder::runEnded(const std::string& outcome) {
    const RunRecord record = currentRecord(outcome);
    const HistoryAppend append = appendToHistory(app_.platform.files, app_.profile(),
                                                 app_.main.SYNCWARD_HOME_TEXTBOX.text(), app_.executableName, record);
    if (!keptUnderWay_.empty()) app_.platform.files.removeFile(underWayFile());
    keptUnderWay_.clear();
    reached_ = 0;
    started_ = false;
    if (!append.written && !append.file.path.empty()) unwritten_ = record;
    if (const std::string status = historyStatus(append); !status.empty()) app_.status(status);
    return record;
}

bool RunHistoryRecorder::finalActionRefused(const std::string& reason) {
    if (!endedWithLastStep_) return false;
    RunRecord amended = *endedWithLastStep_;
    amended.finalAction = refusedFinalAction(amended.finalAction, reason);
    if (unwritten_ && *unwritten_ == *endedWithLastStep_) {
        unwritten_ = amended;
    } else if (!amendLastHistoryRow(app_.platform.files, app_.profile(), app_.main.SYNCWARD_HOME_TEXTBOX.text(),
                                    app_.executableName, *endedWithLastStep_, amended)) {
        app_.status("!!! THE REFUSAL COULD NOT BE ADDED TO THE RUN HISTORY - CHECK THE REPORTS FOLDER !!!");
        return true;
    }
    endedWithLastStep_ = amended;
    return true;
}

void RunHistoryRecorder::writeUnwritten() {
    if (!unwritten_) return;
    const HistoryAppend append = appendToHistory(app_.platform.files, app_.profile(),
                                                 app_.main.SYNCWARD_HOME_TEXTBOX.text(), app_.executableName,
                                                 *unwritten_);
    if (append.written) unwritten_.reset();
}

void RunHistoryRecorder::recordInterruptedRun() {
    if (!app_.profile().isAbsoluteFolder(app_.main.SYNCWARD_HOME_TEXTBOX.text())) return;
    // A run that ended in any other way has already written its row and
    // removed the one it kept.
    const TextRead kept = app_.platform.files.readText(underWayFile(), read_limits::shownInWindow);
    if (!kept.text) return;
    const std::string stored = app_.settings.get(app_.main.MULTILOADER_LAST_RUN_TEXTBOX.name(), "");
    const std::optional<RunRecord> row = keptRow(*kept.text);
    if (!stored.starts_with(main_texts::runUnderWay) || !row) {
        app_.platform.files.removeFile(underWayFile());
        return;
    }
    RunRecord record = *row;
    record.runOutcome = shownLastRun(stored);
    const HistoryAppend append = appendToHistory(app_.platform.files, app_.profile(),
                                                 app_.main.SYNCWARD_HOME_TEXTBOX.text(), app_.executableName, record);
    if (append.written) app_.platform.files.removeFile(underWayFile());
    if (const std::string status = historyStatus(append); !status.empty()) app_.status(status);
}

// The report file stays as it is; the mail gets its own text with the
// last runs after the report, when the e-mail settings ask for it.
void RunHistoryRecorder::writeReportMail() {
    if (app_.settings.getTick(EmailMainSettingsWindow::includeHistoryName, 0) != 1) return;
    const PlatformProfile& profile = app_.profile();
    const std::string& home = app_.main.SYNCWARD_HOME_TEXTBOX.text();
    if (!profile.isAbsoluteFolder(home)) return;
    std::vector<RunRecord> rows = findHistoryFile(app_.platform.files, profile, home, app_.executableName).read.rows;
    if (started_) rows.push_back(currentRecord(runOutcome(app_.main)));
    const std::string mail = app_.main.LOG_FILE_OUTPUT_TEXTBOX.text() + profile.lineEnd() + profile.lineEnd() +
                             historyMailTable(rows, runsInMail, profile.lineEnd());
    if (!app_.platform.files.writeText(home_layout::reportMailFile(profile, home, app_.executableName), mail))
        app_.status("!!! END REPORT MAIL TEXT NOT WRITTEN - CHECK THE REPORTS FOLDER !!!");
}

}  // namespace syncward
