#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "block_counter_rig.h"
#include "core/blockcounter/node_check_answer.h"
#include "core/blockcounter/tip_age_suggestions.h"

namespace syncward::testing {
namespace {

constexpr long long height = 812345;

// Four agreeing readings of 812345, "Finish When Identical" and "Confirm
// With Node" ticked; the node's answers are filed by the test.
struct NodeCheckRun {
    explicit NodeCheckRun(PlatformProfile profile = PlatformProfile::windows()) : rig(std::move(profile)) {
        r0 = std::to_string(height) + rig.lineEnd();
        rig.readings = {r0, r0, r0};
        MainWindow& w = rig.start(r0);
        w.FINISH_WHEN_IDENTICAL_TICKBOX.setTicked(true);
        EXPECT_TRUE(w.CONFIRM_WITH_NODE_TICKBOX.ticked()) << "ticked by default";
        rig.setInterval("00:00:10");
        rig.recordStatuses();
    }

    // Files what the node answers. A part left empty is answered with an
    // error text, as a client that does not know the call prints it.
    void answer(const std::optional<ChainState>& chain, const std::optional<PeerState>& peers,
                const std::string& connections = "", const std::optional<long long>& tipTime = std::nullopt,
                const std::string& chainText = "") {
        FakeNodeAnswers& answers = rig.h.fake.nodeAnswers;
        const std::string unknown = "error code: -32601\nerror message:\nMethod not found";
        if (chain) answers.chains["chain\n"] = *chain;
        if (peers) answers.peerLists["peers\n"] = *peers;
        if (tipTime) answers.blockTimes["header\n"] = *tipTime;
        rig.nodeAnswer = BlockCounterRig::nodeCheckText(chainText.empty() ? (chain ? "chain" : unknown) : chainText,
                                                        peers ? "peers" : unknown, connections,
                                                        tipTime ? "header" : unknown);
    }
    void tipAgeLimit(const std::string& limit) {
        rig.main().TIP_AGE_LIMIT_TICKBOX.setTicked(true);
        rig.main().TIP_AGE_LIMIT_TEXTBOX.setText(limit);
    }
    bool runUntilJudged() {
        MainWindow& w = rig.main();
        return rig.runUntil([&] { return w.COMPLETED_TIMER.enabled() || !w.facts.nodeCheck.failure.empty(); });
    }
    bool sawStatus(const std::string& statusAndIndicators) const {
        return std::find(rig.statuses.begin(), rig.statuses.end(), statusAndIndicators) != rig.statuses.end();
    }
    long long now() const { return rig.h.fake.environment.now; }

    BlockCounterRig rig;
    std::string r0;
};

ChainState caughtUp() { return {height, height, false}; }
PeerState peersAt(int connected, std::optional<long long> best) { return {connected, best}; }

TEST(NodeCheck, ConfirmsACaughtUpChainOnceAndCompletesThePhase) {
    for (bool windows : {true, false}) {
        NodeCheckRun run(windows ? PlatformProfile::windows() : PlatformProfile::posix("/home/satoshi"));
        run.answer(caughtUp(), peersAt(3, height), "3", run.now() - 600);
        run.rig.clickStart();
        ASSERT_TRUE(run.runUntilJudged());
        MainWindow& w = run.rig.main();
        EXPECT_TRUE(w.COMPLETED_TIMER.enabled());
        EXPECT_EQ(run.rig.nodeChecks, 1);
        EXPECT_EQ(run.rig.clientRuns, 3);
        EXPECT_TRUE(run.sawStatus("!!! BLOCKCOUNTER - VERIFIER FINISHED - CONFIRMING WITH THE NODE !!! GGGP"));
        EXPECT_TRUE(run.sawStatus("!!! BLOCKCOUNTER - ASKING THE NODE TO CONFIRM !!! GGGP"));
        EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "!!! BLOCKCOUNTER - NODE CONFIRMS THE CHAIN !!!");
        EXPECT_EQ(run.rig.indicators(), "GGGG");
        // What the node answered was read from a fresh file, not a stale one.
        EXPECT_EQ(run.rig.h.fake.files.files[run.rig.nodeCheckFile()], run.rig.nodeAnswer);

        run.rig.advance(1000);  // the completion hand-over
        EXPECT_EQ(w.BLOCKCOUNTER_LAST_RUN_TEXTBOX.text(), "!!! COMPLETED SUCCESSFULLY !!!");
        EXPECT_EQ(w.BLOCKCOUNTER_LAST_RUN_TEXTBOX.background(), colours::green);
        EXPECT_EQ(run.rig.h.stored("BLOCKCOUNTER_LAST_RUN"), "!!! COMPLETED SUCCESSFULLY !!!");
    }
}

struct FailedCondition {
    const char* name;
    std::function<void(NodeCheckRun&)> node;
    std::string status;
    std::string reason;
};

TEST(NodeCheck, EachFailedConditionNamesItselfAndStartsAFreshCycle) {
    const std::vector<FailedCondition> cases = {
        {"no peers", [](NodeCheckRun& r) { r.answer(caughtUp(), peersAt(0, std::nullopt)); },
         "!!! NOT CAUGHT UP - NO PEERS !!!", "NO PEERS"},
        {"no peers, counted by an old client", [](NodeCheckRun& r) { r.answer(caughtUp(), std::nullopt, "0"); },
         "!!! NOT CAUGHT UP - NO PEERS !!!", "NO PEERS"},
        {"new node", [](NodeCheckRun& r) { r.answer(ChainState{height, 0, true}, peersAt(1, std::nullopt)); },
         "!!! NOT CAUGHT UP - NO HEADERS YET !!!", "NO HEADERS YET"},
        {"headers ahead", [](NodeCheckRun& r) { r.answer(ChainState{height, height + 17000, false}, peersAt(1, height)); },
         "!!! NOT CAUGHT UP - HEADERS AHEAD (BLOCKS 812345 / HEADERS 829345) !!!", "HEADERS AHEAD (BLOCKS 812345 / HEADERS 829345)"},
        {"a peer ahead", [](NodeCheckRun& r) { r.answer(caughtUp(), peersAt(2, height + 55)); },
         "!!! NOT CAUGHT UP - A PEER IS AHEAD (BLOCKS 812345 / PEER 812400) !!!", "A PEER IS AHEAD (BLOCKS 812345 / PEER 812400)"},
        {"initial block download", [](NodeCheckRun& r) { r.answer(ChainState{height, height, true}, peersAt(1, height)); },
         "!!! NOT CAUGHT UP - IN INITIAL BLOCK DOWNLOAD !!!", "IN INITIAL BLOCK DOWNLOAD"},
        {"old tip",
         [](NodeCheckRun& r) {
             r.tipAgeLimit("01:00:00");
             r.answer(caughtUp(), peersAt(1, height), "", r.now() - 7201);
         },
         "!!! NOT CAUGHT UP - TIP TOO OLD (02:00:01) !!!", "TIP TOO OLD (02:00:01)"},
        {"warming up",
         [](NodeCheckRun& r) {
             r.answer(std::nullopt, std::nullopt, "", std::nullopt,
                      "error code: -28\nerror message:\nLoading block index...");
         },
         "!!! NOT CAUGHT UP - NODE STILL STARTING !!!", "NODE STILL STARTING"},
        {"no chain state", [](NodeCheckRun& r) { r.answer(std::nullopt, peersAt(1, height), "", std::nullopt, "{"); },
         "!!! NOT CONFIRMED - NODE GAVE NO CHAIN STATE !!!", "NODE GAVE NO CHAIN STATE"},
        {"a call the node does not know", [](NodeCheckRun& r) { r.answer(std::nullopt, peersAt(1, height)); },
         "!!! NOT CONFIRMED - THE NODE DOES NOT KNOW GETBLOCKCHAININFO !!!", "NODE KNOWS NO GETBLOCKCHAININFO"},
    };
    for (const FailedCondition& c : cases) {
        SCOPED_TRACE(c.name);
        NodeCheckRun run;
        c.node(run);
        run.rig.clickStart();
        ASSERT_TRUE(run.runUntilJudged());
        MainWindow& w = run.rig.main();
        EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), c.status);
        EXPECT_EQ(w.facts.nodeCheck.failure, c.reason);
        // The agreement is gone, the last accepted reading stays, and a full
        // countdown runs before the next cycle asks again.
        EXPECT_FALSE(w.COMPLETED_TIMER.enabled());
        EXPECT_EQ(run.rig.indicators(), "NNNN");
        EXPECT_EQ(run.rig.runningStages(), std::vector<std::string>{"BLOCKCOUNTER_COUNTDOWN_TIMER"});
        EXPECT_EQ(w.BLOCKCOUNT_TIMER_TEXTBOX.text(), "00:00:10");
        EXPECT_EQ(w.LAST_BLOCKCOUNT_TEXTBOX.text(), run.r0);
        ASSERT_TRUE(run.rig.runUntil([&] { return run.rig.nodeChecks == 2; }, 60'000));
    }
}

TEST(NodeCheck, FieldsTheNodeDoesNotReportAreLeftOutAndTheLastRunSaysSo) {
    const std::vector<std::pair<std::function<void(NodeCheckRun&)>, std::string>> cases = {
        {[](NodeCheckRun& r) { r.answer(ChainState{height, height, std::nullopt}, peersAt(1, height)); },
         "INITIAL BLOCK DOWNLOAD"},
        {[](NodeCheckRun& r) { r.answer(ChainState{height, std::nullopt, false}, peersAt(1, height)); }, "HEADERS"},
        {[](NodeCheckRun& r) { r.answer(caughtUp(), std::nullopt, "2"); }, "PEER HEADERS"},
        {[](NodeCheckRun& r) { r.answer(caughtUp(), peersAt(4, std::nullopt)); }, "PEER HEADERS"},
        {[](NodeCheckRun& r) { r.answer(ChainState{height, std::nullopt, std::nullopt}, std::nullopt); },
         "PEERS, HEADERS, PEER HEADERS, INITIAL BLOCK DOWNLOAD"},
        {[](NodeCheckRun& r) {
             r.tipAgeLimit("02:00:00");
             r.answer(caughtUp(), peersAt(1, height));
         },
         "TIP AGE"},
    };
    for (const auto& [node, unchecked] : cases) {
        SCOPED_TRACE(unchecked);
        NodeCheckRun run;
        node(run);
        run.rig.clickStart();
        ASSERT_TRUE(run.runUntilJudged());
        MainWindow& w = run.rig.main();
        ASSERT_TRUE(w.COMPLETED_TIMER.enabled()) << w.CURRENT_STATUS_LABEL.caption();
        run.rig.advance(1000);
        const std::string outcome = "!!! COMPLETED SUCCESSFULLY - PARTIAL NODE CHECK, NOT CHECKED: " + unchecked + " !!!";
        EXPECT_EQ(w.BLOCKCOUNTER_LAST_RUN_TEXTBOX.text(), outcome);
        EXPECT_EQ(w.BLOCKCOUNTER_LAST_RUN_TEXTBOX.background(), colours::green);
        EXPECT_EQ(run.rig.h.stored("BLOCKCOUNTER_LAST_RUN"), outcome);
    }
}

TEST(NodeCheck, AYoungTipPassesTheLimitAndAnOldOneOnlyWhenTheLimitIsOff) {
    NodeCheckRun young;
    young.tipAgeLimit("01:00:00");
    young.answer(caughtUp(), peersAt(1, height), "", young.now() - 3600);
    young.rig.clickStart();
    ASSERT_TRUE(young.runUntilJudged());
    EXPECT_TRUE(young.rig.main().COMPLETED_TIMER.enabled());

    NodeCheckRun quietChain;  // off by default: test networks have old tips
    EXPECT_FALSE(quietChain.rig.main().TIP_AGE_LIMIT_TICKBOX.ticked());
    quietChain.answer(caughtUp(), peersAt(1, height), "", quietChain.now() - 30 * 86400);
    quietChain.rig.clickStart();
    ASSERT_TRUE(quietChain.runUntilJudged());
    EXPECT_TRUE(quietChain.rig.main().COMPLETED_TIMER.enabled());
}

// The calls run one after the other: a file without its last line is read
// again until it is whole, and given up after half a minute.
TEST(NodeCheck, WaitsForTheWholeAnswerAndGivesUpAfterHalfAMinute) {
    NodeCheckRun late;
    late.answer(caughtUp(), peersAt(1, height));
    const std::string whole = late.rig.nodeAnswer;
    late.rig.nodeAnswer = whole.substr(0, whole.find("getblockheader"));
    late.rig.clickStart();
    MainWindow& w = late.rig.main();
    ASSERT_TRUE(late.rig.runUntil([&] { return w.NODE_CHECK_WATCHER_TIMER.enabled(); }));
    late.rig.advance(5000);
    EXPECT_TRUE(w.NODE_CHECK_WATCHER_TIMER.enabled());
    late.rig.h.fake.files.files[late.rig.nodeCheckFile()] = whole;
    late.rig.advance(250);
    EXPECT_TRUE(w.COMPLETED_TIMER.enabled());

    NodeCheckRun never;
    never.answer(caughtUp(), peersAt(1, height));
    never.rig.nodeAnswer = "getblockchaininfo\n";
    never.rig.clickStart();
    MainWindow& n = never.rig.main();
    ASSERT_TRUE(never.rig.runUntil([&] { return n.NODE_CHECK_WATCHER_TIMER.enabled(); }));
    never.rig.advance(29'500);
    EXPECT_TRUE(n.NODE_CHECK_WATCHER_TIMER.enabled());
    never.rig.advance(500);
    EXPECT_EQ(n.CURRENT_STATUS_LABEL.caption(), "!!! NOT CONFIRMED - NO ANSWER FROM THE NODE CHECK !!!");
    EXPECT_EQ(never.rig.indicators(), "NNNN");
}

// The whole run: the override fires while the node keeps refusing; the
// run finishes as it always has, but nothing says it succeeded.
TEST(NodeCheck, AnOverrideWhileTheNodeKeepsRefusingEndsTheRunNotConfirmed) {
    BlockCounterRig rig;
    for (const char* tick : {"TASK_8_ENABLE_TICKBOX", "FINISH_WHEN_IDENTICAL_TICKBOX", "OVERRIDE_TIMER_ENABLE_TICKBOX",
                             "AUTOSTART_OVERRIDE_TIMER_TICKBOX", "TASK_19_ENABLE_TICKBOX", "RUN_DAEMON_TICKBOX"})
        rig.h.store(tick, "1");
    rig.h.store("USER_COUNT_TIME_TEXTBOX", "00:00:05");
    rig.h.store("USER_OVERRIDE_TIME_TEXTBOX", "00:01:30");
    const std::string r0 = "700" + rig.lineEnd();
    rig.readings = {r0};
    rig.h.fake.nodeAnswers.chains["chain\n"] = ChainState{700, 700, false};
    rig.h.fake.nodeAnswers.peerLists["peers\n"] = PeerState{0, std::nullopt};
    rig.nodeAnswer = BlockCounterRig::nodeCheckText("chain", "peers");
    MainWindow& w = rig.start(r0);
    rig.recordStatuses();
    w.MULTILOADER_START_STOP_BUTTON.click();
    ASSERT_TRUE(rig.runUntil([&] { return !w.isOpen(); }, 600'000));

    EXPECT_GE(rig.nodeChecks, 2);
    EXPECT_NE(std::find_if(rig.statuses.begin(), rig.statuses.end(),
                           [](const std::string& s) { return s.starts_with("!!! NOT CAUGHT UP - NO PEERS !!!"); }),
              rig.statuses.end());
    const std::string blockCounterOutcome = "!!! OVERRIDE TIMER ACTIVATED - CHAIN NOT CONFIRMED - NO PEERS !!!";
    EXPECT_EQ(rig.h.stored("BLOCKCOUNTER_LAST_RUN"), blockCounterOutcome);
    EXPECT_EQ(rig.h.stored("MULTILOADER_LAST_RUN_TEXTBOX"), "!!! FINISHED - CHAIN NOT CONFIRMED - NO PEERS !!!");
    const std::string report = w.LOG_FILE_OUTPUT_TEXTBOX.text();
    EXPECT_NE(report.find("BLOCKCOUNTER LAST RUN: " + blockCounterOutcome + "\r\n"), std::string::npos) << report;
    EXPECT_EQ(report.find("COMPLETED SUCCESSFULLY"), std::string::npos) << report;
}

TEST(NodeCheck, AClientErrorWhileTheNodeWarmsUpIsNoReadingAndTheStatusSaysSo) {
    BlockCounterRig rig(PlatformProfile::posix("/home/satoshi"));
    const std::string last = "500\n";
    rig.readings = {""};
    MainWindow& w = rig.start(last);
    rig.h.fake.files.files[home_layout::clientErrorFile(rig.h.fake.profile, rig.home, "BTC1")] =
        "error code: -28\nerror message:\nLoading block index...\n";
    rig.recordStatuses();
    rig.setInterval("00:00:05");
    rig.clickStart();
    ASSERT_TRUE(rig.runUntil([&] { return rig.clientRuns == 1 && w.BLOCKCOUNTER_COUNTDOWN_TIMER.enabled(); }));
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "!!! BLOCKCOUNTER - NODE STILL STARTING - ZERO / NOT IDENTICAL !!!");
    EXPECT_EQ(w.CURRENT_BLOCK_TEXTBOX.text(), last);
    EXPECT_EQ(rig.indicators(), "NNNN");
}

TEST(NodeCheck, TheSwitchAndTheTipAgeLimitAreStoredAndAPartialSuccessShowsGreen) {
    AppHarness fresh;
    MainWindow& w = fresh.start().main();
    EXPECT_TRUE(w.CONFIRM_WITH_NODE_TICKBOX.ticked());
    EXPECT_FALSE(w.TIP_AGE_LIMIT_TICKBOX.ticked());
    w.CONFIRM_WITH_NODE_TICKBOX.setTicked(false);  // as a user click does
    EXPECT_EQ(fresh.stored("CONFIRM_WITH_NODE_TICKBOX"), "0");
    w.CRYPTO_NAME_TEXTBOX.setText("LTC - Litecoin");
    w.TIP_AGE_SUGGEST_BUTTON.click();
    EXPECT_EQ(w.TIP_AGE_LIMIT_TEXTBOX.text(), "01:00:00");
    EXPECT_EQ(fresh.stored("TIP_AGE_LIMIT_TEXTBOX"), "01:00:00");
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "!!! TIP AGE LIMIT 01:00:00 SUGGESTED FOR LTC !!!");
    w.TIP_AGE_LIMIT_TEXTBOX.setText("soon");
    w.TIP_AGE_LIMIT_TEXTBOX.doubleClick();
    EXPECT_EQ(fresh.stored("TIP_AGE_LIMIT_TEXTBOX"), "01:00:00") << "not a time: not stored";

    AppHarness next;
    next.store("CONFIRM_WITH_NODE_TICKBOX", "0");
    next.store("TIP_AGE_LIMIT_TICKBOX", "1");
    next.store("TIP_AGE_LIMIT_TEXTBOX", "99:00:00");
    next.store("BLOCKCOUNTER_LAST_RUN", "!!! COMPLETED SUCCESSFULLY - PARTIAL NODE CHECK, NOT CHECKED: HEADERS !!!");
    MainWindow& again = next.start().main();
    EXPECT_FALSE(again.CONFIRM_WITH_NODE_TICKBOX.ticked());
    EXPECT_TRUE(again.TIP_AGE_LIMIT_TICKBOX.ticked());
    EXPECT_EQ(again.TIP_AGE_LIMIT_TEXTBOX.text(), "02:00:00") << "a stored text that is no time falls back";
    EXPECT_EQ(again.BLOCKCOUNTER_LAST_RUN_TEXTBOX.background(), colours::green);
}

TEST(NodeCheckAnswer, SplitsTheClientsAnswersAndKnowsAWholeFile) {
    const std::string text =
        "getblockchaininfo\r\n{\r\n  \"chain\": \"getpeerinfo\"\r\n}\r\ngetpeerinfo\r\n[\r\n]\r\n"
        "getconnectioncount\r\n0\r\ngetblockheader\r\nerror code: -8\r\nend\r\nafter\r\n";
    const NodeCheckAnswer answer = splitNodeCheckAnswer(text);
    EXPECT_TRUE(answer.complete);
    EXPECT_EQ(answer.answerTo("getblockchaininfo"), "{\n  \"chain\": \"getpeerinfo\"\n}\n");
    EXPECT_EQ(answer.answerTo("getpeerinfo"), "[\n]\n");
    EXPECT_EQ(answer.answerTo("getconnectioncount"), "0\n");
    EXPECT_EQ(answer.answerTo("getblockheader"), "error code: -8\n");
    EXPECT_FALSE(splitNodeCheckAnswer(text.substr(0, text.find("end"))).complete);
    EXPECT_FALSE(splitNodeCheckAnswer("").complete);
    EXPECT_TRUE(saysStillStarting("error code: -28\nerror message:\nVerifying blocks..."));
    EXPECT_FALSE(saysStillStarting("error code: -280"));
}

TEST(TipAgeSuggestions, TenMinuteChainsGetTwoHoursTheOthersOne) {
    EXPECT_EQ(suggestTipAgeLimit("BTC - Bitcoin").limit, "02:00:00");
    EXPECT_EQ(suggestTipAgeLimit("BTG - BitcoinGold").coin, "BTG");
    EXPECT_EQ(suggestTipAgeLimit("Bitcoin Gold").coin, "BTG");
    EXPECT_EQ(suggestTipAgeLimit("LTC - Litecoin").limit, "01:00:00");
    EXPECT_EQ(suggestTipAgeLimit("my litecoin node").coin, "LTC");
    EXPECT_EQ(suggestTipAgeLimit("DASH - Dash").limit, "01:00:00");
    EXPECT_EQ(suggestTipAgeLimit("VTC").limit, "01:00:00");
    EXPECT_EQ(suggestTipAgeLimit("Dogecoin").coin, "");
    EXPECT_EQ(suggestTipAgeLimit("Dogecoin").limit, "02:00:00");
}

}  // namespace
}  // namespace syncward::testing
