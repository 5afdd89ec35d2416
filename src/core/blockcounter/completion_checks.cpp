// The completion checks: after each reading they decide whether the chain
// still grows or has caught up. agreeingReadings readings in a row with
// exactly the same text (the last accepted one, one after a full
// countdown, and the rest taken straight after it) confirm it. The state of the checks is the
// run's agreement: each check open, pending or passed, painted on the four
// indicators. Readings are compared as whole texts, line end included, and
// never turned into numbers.
#include "core/blockcounter/block_boxes.h"
#include "core/blockcounter/block_counter.h"
#include "core/blockcounter/info_only_readings.h"
#include "core/blockcounter/reading.h"
#include "core/blockcounter/intervals.h"
#include "core/blockcounter/node_check.h"
#include "core/blockcounter/node_check_answer.h"
#include "core/state/app_context.h"
#include "core/state/home_layout.h"
#include "core/state/main_window_painter.h"

namespace syncward {

namespace {

constexpr CheckMark open = CheckMark::open;
constexpr CheckMark pending = CheckMark::pending;
constexpr CheckMark passed = CheckMark::passed;

void takeFurtherReading(MainWindow& w) { w.GETBLOCKCOUNT_TIMER.start(); }

void setAgreeing(MainWindow& w, int readings) {
    AgreementState agreement = w.run.agreement;
    agreement.agreeing = readings;
    setAgreement(w, agreement);
}

// A node still loading answers with error -28 instead of a count; the
// client says so on its error output (or, for some clients, in the file).
bool nodeStillStarting(AppContext& app, const std::string& reading) {
    if (saysStillStarting(reading)) return true;
    const std::string errors =
        home_layout::clientErrorFile(app.profile(), app.main.SYNCWARD_HOME_TEXTBOX.text(), app.executableName);
    return saysStillStarting(app.platform.files.readText(errors, read_limits::blockCount).text.value_or(""));
}

// Empty, or "0" and a line end (the node answered while still starting):
// such a reading never reaches the comparisons.
void zeroEmptyTick(AppContext& app) {
    MainWindow& w = app.main;
    app.status("!!! BLOCKCOUNTER - COMPARING BLOCK NUMBERS !!!");
    const std::string& reading = w.run.readings.current;
    const bool unusable = reading == w.ZERO_NEW_LINE_TEXTBOX.text() || reading.empty() ||
                          reading == w.EMPTY_TEXTBOX.text() || !isBlockCountReading(reading, app.profile().lineEnd());
    if (unusable) {
        app.status(nodeStillStarting(app, reading) ? "!!! BLOCKCOUNTER - NODE STILL STARTING - ZERO / NOT IDENTICAL !!!"
                                                   : "!!! BLOCKCOUNTER - ZERO / NOT IDENTICAL !!!");
        setReading(w, &BlockReadings::current, w.run.readings.lastAccepted);
        resetAgreement(w);
        paintBlockBoxes(w, colours::green, colours::black);
        restartCountdown(app);
    } else {
        w.READING_SEEN = true;
        app.status("!!! BLOCKCOUNTER - POSSIBLY IDENTICAL !!!");
        paintBlockBoxes(w, colours::yellow, colours::black);
        w.IDENTICAL_CHECKER_TIMER.start();
    }
    w.ZERO_EMPTY_TEXTBOX_CHECKER_TIMER.stop();
}

void identicalTick(AppContext& app) {
    MainWindow& w = app.main;
    // The first comparison of a cycle captures the references the later
    // readings must equal. An agreement left passed by an earlier phase (an
    // override or a manual finish leaves it) skips the capture, so that
    // phase's references still count.
    if (w.run.agreement.identical != passed) {
        w.run.readings.verifierReference = w.run.readings.lastAccepted;
        w.run.readings.tripleCheckReference = w.run.readings.lastAccepted;
        saveInfoOnlyReadings(app);
    }
    if (w.run.readings.current == w.run.readings.lastAccepted) {
        app.status("!!! BLOCKCOUNTER - IDENTICAL BLOCK NUMBERS !!!");
        // The first agreement of a cycle: the last accepted reading and this one.
        if (w.run.agreement.identical != passed) setAgreeing(w, 2);
        setCheck(w, &AgreementState::identical, passed);
        paintBlockBoxes(w, colours::black, colours::lightCyan);
        w.CHECKER_TIMER.start();
    } else {
        // The chain grew: the new reading is the last accepted one.
        app.status("!!! BLOCKCOUNTER - NOT IDENTICAL !!!");
        setReading(w, &BlockReadings::lastAccepted, w.run.readings.current);
        resetAgreement(w);
        paintBlockBoxes(w, colours::green, colours::black);
        restartCountdown(app);
    }
    w.IDENTICAL_CHECKER_TIMER.stop();
}

// The rules run in order within one tick, each on the agreement the rules
// before it left.
void checkerTick(AppContext& app) {
    MainWindow& w = app.main;
    app.status("!!! BLOCKCOUNTER - CHECKER STARTED !!!");
    w.CHECKER_TIMER.stop();
    if (!w.FINISH_WHEN_IDENTICAL_TICKBOX.ticked()) {
        // Not asked to finish: accept the reading and keep polling.
        app.status("!!! BLOCKCOUNTER - CHECKER DISABLED !!!");
        setReading(w, &BlockReadings::lastAccepted, w.run.readings.current);
        resetAgreement(w);
        paintBlockBoxes(w, colours::green, colours::black);
        app.status("!!! BLOCKCOUNTER - RESTARTING COUNTDOWN !!!");
        restartCountdown(app);
        return;
    }
    app.status("!!! BLOCKCOUNTER - RUNNING CHECKER !!!");

    bool handedOn = false;
    const AgreementState& agreement = w.run.agreement;
    if (agreement.tripleCheck == pending) {  // third reading in: triple check
        setCheck(w, &AgreementState::verifying, passed);
        setCheck(w, &AgreementState::identical, passed);
        w.TRIPLE_CHECK_TIMER.start();
        handedOn = true;
    }
    if (agreement.verifying == pending) {  // second reading in: verify
        setCheck(w, &AgreementState::identical, passed);
        w.VERIFY_TIMER.start();
        handedOn = true;
    }
    if (agreement.identical == passed && agreement.verifying == open) {  // first agreement: second reading
        setCheck(w, &AgreementState::verifying, pending);
        paintBlockBoxes(w, colours::green, colours::black);
        takeFurtherReading(w);
        handedOn = true;
    }
    if (agreement.verifying == passed && agreement.identical == passed) paintBlockBoxes(w, colours::green, colours::black);

    // An agreement left by an earlier phase can match no rule that goes on
    // (all four green after a confirmation, say); the chain would then stop
    // with the counter still switched on. Start a fresh cycle instead.
    if (!handedOn) {
        resetAgreement(w);
        paintBlockBoxes(w, colours::green, colours::black);
        app.status("!!! BLOCKCOUNTER - RESTARTING COUNTDOWN !!!");
        restartCountdown(app);
    }
}

void verifyTick(AppContext& app) {
    MainWindow& w = app.main;
    if (w.run.readings.current != w.run.readings.verifierReference) {
        // The agreement is gone; the last accepted reading stays.
        app.status("!!! BLOCKCOUNTER - VERIFY FAILED !!!");
        resetAgreement(w);
        paintBlockBoxes(w, colours::green, colours::black);
        restartCountdown(app);
    } else {
        app.status("!!! BLOCKCOUNTER - VERIFYING GETBLOCKCOUNT!!!");
        setAgreeing(w, w.run.agreement.agreeing + 1);
        setCheck(w, &AgreementState::identical, passed);
        setCheck(w, &AgreementState::verifying, passed);
        setCheck(w, &AgreementState::tripleCheck, pending);
        paintBlockBoxes(w, colours::black, colours::yellow);
        takeFurtherReading(w);
    }
    w.VERIFY_TIMER.stop();
}

void tripleCheckTick(AppContext& app) {
    MainWindow& w = app.main;
    if (w.run.readings.current != w.run.readings.tripleCheckReference) {
        app.status("!!! BLOCKCOUNTER - TRIPLE-CHECK FAILED !!!");
        resetAgreement(w);
        paintBlockBoxes(w, colours::green, colours::black);
        restartCountdown(app);
    } else if (setAgreeing(w, w.run.agreement.agreeing + 1); w.run.agreement.agreeing < agreeingReadings) {
        // Agreeing so far, but more readings must agree: the triple check
        // stays pending and takes the next one too.
        app.status("!!! BLOCKCOUNTER - VERIFYING GETBLOCKCOUNT!!!");
        takeFurtherReading(w);
    } else {
        app.status("!!! BLOCKCOUNTER - TRIPLE CHECK CONFIRMED !!!");
        for (auto check : {&AgreementState::identical, &AgreementState::verifying, &AgreementState::tripleCheck})
            setCheck(w, check, passed);
        handOverAgreeingReadings(app);
    }
    w.TRIPLE_CHECK_TIMER.stop();
}

}  // namespace

void installCompletionChecks(AppContext& app) {
    MainWindow& w = app.main;
    w.ZERO_EMPTY_TEXTBOX_CHECKER_TIMER.onTick.connect([&app] { zeroEmptyTick(app); });
    w.IDENTICAL_CHECKER_TIMER.onTick.connect([&app] { identicalTick(app); });
    w.CHECKER_TIMER.onTick.connect([&app] { checkerTick(app); });
    w.VERIFY_TIMER.onTick.connect([&app] { verifyTick(app); });
    w.TRIPLE_CHECK_TIMER.onTick.connect([&app] { tripleCheckTick(app); });
    w.FINISH_WHEN_IDENTICAL_TICKBOX.onClick.connect([&app] {
        app.settings.saveTick(app.main.FINISH_WHEN_IDENTICAL_TICKBOX);
    });
}

}  // namespace syncward
