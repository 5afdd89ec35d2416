// The node check: four identical block counts are not enough on their own.
// A node with no peers, one whose only peer left mid-sync, or one still
// downloading headers answers the same count again and again. Before the
// phase may complete the node is asked, through the same client and
// configuration file, for its chain state and its peers, and it confirms
// only a chain it really has caught up with. Otherwise a fresh cycle
// starts, and the status says which condition failed.
#include "core/blockcounter/node_check.h"

#include "core/blockcounter/block_boxes.h"
#include "core/blockcounter/block_counter.h"
#include "core/blockcounter/client_wait.h"
#include "core/blockcounter/intervals.h"
#include "core/blockcounter/node_check_verdict.h"
#include "core/blockcounter/tip_age_suggestions.h"
#include "core/processes/command_file_runner.h"
#include "core/state/app_context.h"
#include "core/state/main_window_painter.h"
#include "core/state/home_layout.h"
#include "core/state/main_window_settings.h"
#include "core/time/clock_text.h"

namespace syncward {

namespace {

// How long a whole answer is awaited once the client is seen not running:
// the calls run one after the other, and the first wait may come before
// the first client has started. 30 seconds of 250 ms ticks.
constexpr long long answerWaitTicks = 120;

std::string nodeCheckFile(const AppContext& app) {
    return home_layout::nodeCheckFile(app.profile(), app.main.SYNCWARD_HOME_TEXTBOX.text(), app.executableName);
}

// After this many checks in a row that the node could not answer at all,
// the phase completes on the agreeing block counts alone, as a partial
// check that says so: an older node must not keep an unattended run from
// ending.
constexpr int unansweredChecksAccepted = 3;

// The node did not confirm: the agreement is discarded, the last accepted
// reading stays, and a full countdown follows.
void notConfirmed(AppContext& app, const std::string& reason, const std::string& status) {
    MainWindow& w = app.main;
    w.facts.nodeCheck.failure = reason;
    app.status(status);
    resetAgreement(w);
    paintBlockBoxes(w, colours::green, colours::black);
    restartCountdown(app);
}

void confirmed(AppContext& app, const std::string& unchecked) {
    MainWindow& w = app.main;
    w.facts.nodeCheck.failure.clear();
    w.facts.nodeCheck.partial = unchecked;
    setCheck(w, &AgreementState::confirmed, CheckMark::passed);
    paintBlockBoxes(w, colours::black, colours::green);
    app.status(unchecked.empty() ? "!!! BLOCKCOUNTER - NODE CONFIRMS THE CHAIN !!!"
                                 : "!!! BLOCKCOUNTER - NODE CONFIRMS THE CHAIN - PARTIAL CHECK, NOT CHECKED: " +
                                       unchecked + " !!!");
    w.COMPLETED_TIMER.start();
}

// The node could not answer this check at all (no command file, calls it
// does not know, no whole answer in time). A refused login or a node that
// cannot be reached answers, with an error: that is not this.
void unanswered(AppContext& app, const std::string& why, const std::string& status) {
    MainWindow& w = app.main;
    if (++w.NODE_CHECK_UNANSWERED < unansweredChecksAccepted) {
        notConfirmed(app, why, status);
        return;
    }
    w.NODE_CHECK_UNANSWERED = 0;
    confirmed(app, "ALL - THE NODE CANNOT ANSWER (" + why + ")");
}

// A home folder set up before the node check existed has no command file
// for it: it is written from the stored crypto settings, as their Save
// would write it, rather than waited for.
void writeMissingCommandFile(AppContext& app) {
    const std::string path = runPath(app, CommandFile::NodeCheck);
    if (app.platform.files.readText(path, read_limits::shownInWindow).failure != ReadFailure::missing) return;
    if (app.writeStoredNodeCheckFile && app.writeStoredNodeCheckFile())
        app.status("!!! BLOCKCOUNTER - NODE CHECK COMMAND FILE WAS MISSING - WRITTEN FROM THE CRYPTO SETTINGS !!!");
}

void askTheNode(AppContext& app) {
    MainWindow& w = app.main;
    w.NODE_CHECK_TIMER.stop();
    app.status("!!! BLOCKCOUNTER - ASKING THE NODE TO CONFIRM !!!");
    writeMissingCommandFile(app);
    // An answer left by an earlier check must never pass for this one's.
    app.platform.files.writeText(nodeCheckFile(app), "");
    w.NODE_CHECK_WAIT_TICKS = 0;
    startClientWait(app);
    if (!runCommandFile(app, CommandFile::NodeCheck)) {
        unanswered(app, "NODE CHECK NOT STARTED",
                   "!!! NOT CONFIRMED - NODE CHECK COMMAND FILE COULD NOT BE STARTED - SAVE THE CRYPTO SETTINGS !!!");
        return;
    }
    paintBlockBoxes(w, colours::black, colours::yellow);
    w.NODE_CHECK_WATCHER_TIMER.start();
}

std::optional<TipAgeLimit> tipAgeLimit(AppContext& app) {
    MainWindow& w = app.main;
    if (!w.TIP_AGE_LIMIT_TICKBOX.ticked()) return std::nullopt;
    const auto limit = parseInterval(w.TIP_AGE_LIMIT_TEXTBOX.text());
    if (!limit) return std::nullopt;
    return TipAgeLimit{*limit, app.platform.environment.secondsSinceEpoch()};
}

void awaitAnswer(AppContext& app) {
    MainWindow& w = app.main;
    if (w.run.programs.oursRunning(WatchedProgram::client)) {
        if (!endClientThatHangs(app)) {
            app.status("!!! CLI PROCESS RUNNING - WAITING !!!");
            return;
        }
        w.NODE_CHECK_WATCHER_TIMER.stop();
        unanswered(app, "NODE CHECK CLIENT HUNG", "!!! NOT CONFIRMED - NODE CHECK CLIENT HUNG - ENDED AFTER 2 MINUTES !!!");
        return;
    }
    const auto read = app.platform.files.readText(nodeCheckFile(app), read_limits::shownInWindow);
    const NodeCheckAnswer answer = splitNodeCheckAnswer(read.text.value_or(""));
    if (!answer.complete && ++w.NODE_CHECK_WAIT_TICKS < answerWaitTicks) return;
    w.NODE_CHECK_WATCHER_TIMER.stop();
    if (!answer.complete) {
        unanswered(app, "NO ANSWER FROM THE NODE CHECK", "!!! NOT CONFIRMED - NO ANSWER FROM THE NODE CHECK !!!");
        return;
    }
    if (saysMethodNotFound(answer.answerTo("getblockchaininfo"))) {
        unanswered(app, "NODE KNOWS NO GETBLOCKCHAININFO",
                   "!!! NOT CONFIRMED - THE NODE DOES NOT KNOW GETBLOCKCHAININFO !!!");
        return;
    }
    w.NODE_CHECK_UNANSWERED = 0;
    const NodeCheckVerdict verdict = judgeNodeCheck(answer, app.platform.nodeAnswers, tipAgeLimit(app));
    w.facts.nodeCheck.seen = verdict.seen;
    if (!verdict.confirmed) {
        notConfirmed(app, verdict.reason, verdict.status());
        return;
    }
    confirmed(app, verdict.unchecked);
}

void suggestTipAge(AppContext& app) {
    MainWindow& w = app.main;
    const TipAgeSuggestion suggestion = suggestTipAgeLimit(w.CRYPTO_NAME_TEXTBOX.text());
    w.TIP_AGE_LIMIT_TEXTBOX.setText(suggestion.limit);
    app.settings.saveText(w.TIP_AGE_LIMIT_TEXTBOX);
    app.status(suggestion.coin.empty()
                   ? "!!! TIP AGE LIMIT " + suggestion.limit + " - COIN NOT KNOWN, THE LONGER LIMIT !!!"
                   : "!!! TIP AGE LIMIT " + suggestion.limit + " SUGGESTED FOR " + suggestion.coin + " !!!");
}

}  // namespace

void handOverAgreeingReadings(AppContext& app) {
    MainWindow& w = app.main;
    if (!w.CONFIRM_WITH_NODE_TICKBOX.ticked()) {
        setCheck(w, &AgreementState::confirmed, CheckMark::passed);
        paintBlockBoxes(w, colours::black, colours::green);
        app.status("!!! BLOCKCOUNTER - VERIFIER FINISHED !!!");
        w.COMPLETED_TIMER.start();  // the phase's end is handled there
        return;
    }
    // CONFIRMED stays pending until the node has answered.
    setCheck(w, &AgreementState::confirmed, CheckMark::pending);
    paintBlockBoxes(w, colours::black, colours::lightCyan);
    app.status("!!! BLOCKCOUNTER - VERIFIER FINISHED - CONFIRMING WITH THE NODE !!!");
    w.NODE_CHECK_TIMER.start();
}

void installNodeCheck(AppContext& app) {
    MainWindow& w = app.main;
    w.NODE_CHECK_TIMER.setInterval(1000);
    w.NODE_CHECK_WATCHER_TIMER.setInterval(250);
    w.NODE_CHECK_TIMER.onTick.connect([&app] { askTheNode(app); });
    w.NODE_CHECK_WATCHER_TIMER.onTick.connect([&app] { awaitAnswer(app); });
    w.CONFIRM_WITH_NODE_TICKBOX.onClick.connect([&app] {
        saveMainSetting(app.settings, app.main.CONFIRM_WITH_NODE_TICKBOX);
    });
    w.CONFIRM_WITH_NODE_TICKBOX.setTooltip("ASK THE NODE FOR ITS CHAIN STATE AND PEERS BEFORE THE CHAIN IS CONFIRMED");
    w.TIP_AGE_LIMIT_TICKBOX.onClick.connect([&app] { saveMainSetting(app.settings, app.main.TIP_AGE_LIMIT_TICKBOX); });
    w.TIP_AGE_LIMIT_TICKBOX.setTooltip("THE NODE'S BEST BLOCK MAY BE NO OLDER THAN THIS (OFF: QUIET AND TEST CHAINS)");
    w.TIP_AGE_LIMIT_TEXTBOX.onDoubleClick.connect([&app] {
        MainWindow& main = app.main;
        if (parseInterval(main.TIP_AGE_LIMIT_TEXTBOX.text()))
            app.settings.saveText(main.TIP_AGE_LIMIT_TEXTBOX);
        else
            app.status("!!! TIP AGE LIMIT - NOT A VALID TIME (HH:MM:SS) !!!");
    });
    w.TIP_AGE_SUGGEST_BUTTON.onClick.connect([&app] { suggestTipAge(app); });
    w.TIP_AGE_SUGGEST_BUTTON.setTooltip("SUGGEST A LIMIT FROM THE COIN'S BLOCK TIME");
}

}  // namespace syncward
