#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace syncward {

// The nineteen steps of a run, in the order they hand on to each other.
enum class RunStep {
    logDateTimeAndComputer = 1,
    startHeartbeat,
    startRuntimeClock,
    sendStartMail,
    measureFolderBefore,
    logStartBlock,
    startNode,
    startBlockCounter,
    waitForBlockCounter,
    logEndBlock,
    requestNodeStop,
    waitForNodeShutdown,
    measureFolderAfter,
    logEndTime,
    logTotalRuntime,
    createEndReport,
    sendEndReportMail,
    stopHeartbeat,
    finalAction,
};
inline constexpr int runStepCount = 19;
inline constexpr int stepNumber(RunStep step) { return static_cast<int>(step); }
inline constexpr RunStep stepAfter(RunStep step) { return static_cast<RunStep>(stepNumber(step) + 1); }

// How far a step has come in this session. A step not reached yet keeps
// what the last run left; "counting" is the block counter under way.
enum class StepState { notReached, running, counting, done, skippedOrFailed };

// The programs the process watch follows, by the role they play in a run.
enum class WatchedProgram { qt, daemon, client, mailer };
inline constexpr std::size_t watchedProgramCount = 4;

// What the watch's last look saw of one program. Unknown until it has
// looked with a name set; a look that failed leaves the last answer.
enum class ProgramSeen { unknown, running, stopped };

// Two answers per program: any process of the user with its name (what the
// process boxes show and what the user may end by name), and the run's own
// among them (what this program started, and the node on the copy's data
// folder while a run is under way): the only ones a run waits for, asks
// to stop or ends.
struct ProgramWatchState {
    std::array<ProgramSeen, watchedProgramCount> seen{};
    std::array<ProgramSeen, watchedProgramCount> runsOwn{};

    ProgramSeen& operator[](WatchedProgram p) { return seen[static_cast<std::size_t>(p)]; }
    ProgramSeen operator[](WatchedProgram p) const { return seen[static_cast<std::size_t>(p)]; }
    bool running(WatchedProgram p) const { return (*this)[p] == ProgramSeen::running; }

    ProgramSeen& ours(WatchedProgram p) { return runsOwn[static_cast<std::size_t>(p)]; }
    ProgramSeen ours(WatchedProgram p) const { return runsOwn[static_cast<std::size_t>(p)]; }
    bool oursRunning(WatchedProgram p) const { return ours(p) == ProgramSeen::running; }
    bool oursStopped(WatchedProgram p) const { return ours(p) == ProgramSeen::stopped; }
};

// One completion check: not reached in this cycle, waiting for its
// reading, or passed.
enum class CheckMark { open, pending, passed };

// How many readings in a row, with exactly the same text, tell that the
// chain has stopped growing. The first three checks take the first four;
// the triple check takes each reading past the fourth again.
inline constexpr int agreeingReadings = 4;
static_assert(agreeingReadings >= 4, "the identical, verify and triple checks each take one reading");

// The agreement of the readings in the current cycle of the block counter:
// each check's mark, and how many readings in a row agree so far (the last
// accepted one counted).
struct AgreementState {
    CheckMark identical = CheckMark::open;
    CheckMark verifying = CheckMark::open;
    CheckMark tripleCheck = CheckMark::open;
    CheckMark confirmed = CheckMark::open;
    int agreeing = 0;
};

// The block counter's readings, each the client's whole answer with its
// line end: the checks compare them as texts, so "0812" never passes for
// "812" and an answer cut short never passes for a whole one.
struct BlockReadings {
    // The reading just taken.
    std::string current;
    // The last reading the checks accepted: the known count.
    std::string lastAccepted;
    // What the verify and triple checks' readings must equal, taken at the
    // first comparison of a cycle.
    std::string verifierReference;
    std::string tripleCheckReference;
};

// The START / STOP switches of the main window: on while what they start
// runs (the button then offers "STOP").
struct Switches {
    bool chain = false;      // the run's steps
    bool counter = false;    // the block counter
    bool override = false;   // the override timer, started by its button
    bool heartbeat = false;  // the keep-awake heartbeat
    bool autostart = false;  // the autostart countdown
    bool autoclose = false;  // the autoclose countdown
};

// What the run knows, as values. Decisions read these; the main window's
// painter turns them into the colours and captions on screen.
struct RunState {
    std::array<StepState, runStepCount> steps{};
    ProgramWatchState programs;
    AgreementState agreement;
    BlockReadings readings;
    Switches switches;
    // The last phase of the block counter ended with the chain confirmed
    // and polling went on; the next countdown forgets it.
    bool chainUpToDate = false;
    // This start catches up a missed weekly run, perhaps at a login while
    // the user works, or at a boot nobody watches: the run ends as
    // autoclose ends it, never with a power action; so does any run this
    // program starts after it, by hand included: whoever is at the screen
    // is not powered off.
    bool caughtUp = false;

    StepState& step(RunStep s) { return steps.at(static_cast<std::size_t>(stepNumber(s) - 1)); }
    StepState step(RunStep s) const { return steps.at(static_cast<std::size_t>(stepNumber(s) - 1)); }
};

}  // namespace syncward
