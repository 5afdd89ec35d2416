#pragma once

#include <optional>
#include <string>

#include "core/reports/run_history.h"
#include "core/state/run_state.h"

namespace syncward {

struct AppContext;

// Keeps the run history: one row per run, appended when the run ends
// however it ends (its last step, the start/stop button, the window
// closed under it), and, for a run cut short by a crash or a power cut,
// at the next start. While a run is under way its row as far as it got is
// kept in a file beside the history, so that next start can still write it;
// the kept row is written anew at each step and, while a step waits, every
// little while, so its end is the last moment the run was known alive.
class RunHistoryRecorder {
public:
    explicit RunHistoryRecorder(AppContext& app);

    // Follows the run's steps, its stop by hand, its clock and the main
    // window's close.
    void install();
    // At start-up: a run the store still says is under way did not end.
    void recordInterruptedRun();

    // This run's row with the given outcome, as far as the run has got.
    RunRecord currentRecord(const std::string& outcome) const;
    // The system refused the power action the last run ended with: that
    // run's row, already written (or still waiting to be), says so in its
    // final action. False when no run ended with its last step (the power
    // countdown was started by hand).
    bool finalActionRefused(const std::string& reason);

private:
    void stepDone(RunStep step);
    void runStarted();
    // Writes the run's row; the row as written.
    RunRecord runEnded(const std::string& outcome);
    void keepUnderWay();
    void keepAlive();
    std::string counterOutcome() const;
    void writeReportMail();
    std::string underWayFile() const;
    void writeUnwritten();

    AppContext& app_;
    long long start_ = 0;
    int startOffset_ = 0;
    bool started_ = false;  // a run passed its first step and has not ended
    int reached_ = 0;       // the last step of this run that was done
    bool reached(RunStep step) const { return reached_ >= stepNumber(step); }
    std::string keptUnderWay_;
    long long keptAt_ = 0;
    // What the block counter's last-run box said when this run started
    // its block counter: an earlier phase's outcome.
    std::string counterOutcomeBefore_;
    // The row of a run that ended while its history could not be written (a
    // full disk): the copy, left open after such a run, writes it when it is
    // closed (by hand, or giving way to the next start), once the disk has
    // room again.
    std::optional<RunRecord> unwritten_;
    // The row of the run that ended with its last step, as written (or
    // kept unwritten), until the next run starts.
    std::optional<RunRecord> endedWithLastStep_;
};

}  // namespace syncward
