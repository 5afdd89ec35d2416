// TRY THE NODE on the fake platform: the node started through its command
// file, asked through the node check until it answers, stopped through the
// stop request and seen to exit; a node that runs already is not started,
// one that never runs is told with its own words, one that does not exit
// is ended.
#include <gtest/gtest.h>

#include "core/setupcheck/setup_check_texts.h"
#include "core/setupcheck/setup_check_window.h"
#include "setup_check_rig.h"

namespace syncward::testing {
namespace {

namespace texts = node_trial_texts;

constexpr const char* chainAnswer = "{\"chain\": \"regtest\", \"blocks\": 150}\n";

struct TrialRig : SetupRig {
    SetupCheckWindow& window = h.app->setupCheck().window();
    bool nodeAnswers = true;
    bool nodeStops = true;

    TrialRig() {
        h.fake.nodeAnswers.chains[chainAnswer] = ChainState{150, 151, false};
        h.fake.nodeAnswers.peerLists["[]\n"] = PeerState{0, {}};
        h.fake.launcher.onRun = [this](const std::string& path) {
            if (path.ends_with("-RUN-DAEMON.sh")) h.fake.processes.start("litecoind");
            if (path.ends_with("-NODE-CHECK.sh") && nodeAnswers)
                h.fake.files.files[home + "/BLOCKCOUNTS/LTC1-NODE-CHECK.LOG"] =
                    std::string("getblockchaininfo\n") + chainAnswer +
                    "getpeerinfo\n[]\ngetconnectioncount\n0\ngetblockheader\n{}\nend\n";
            if (path.ends_with("-CLI-STOP.sh") && nodeStops) h.fake.processes.end("litecoind");
        };
    }
    void tryTheNode() { window.TRY_NODE_BUTTON.click(); }
    void advanceUntilDone(int limitMs = 600'000) {
        h.fake.loop.runUntil([this] { return !window.trial().underWay(); }, limitMs);
    }
    const std::string& report() { return window.TRY_NODE_REPORT_TEXTBOX.text(); }
    const std::string& status() { return window.TRY_NODE_STATUS_TEXTBOX.text(); }
};

TEST(NodeTrial, StartsAsksStopsAndSeesTheNodeExitEachStageTimed) {
    TrialRig rig;
    rig.tryTheNode();
    EXPECT_TRUE(rig.window.trial().underWay());
    EXPECT_EQ(rig.h.fake.launcher.ran.front(), rig.home + "/BATS/LTC1-RUN-DAEMON.sh");
    rig.advanceUntilDone();
    EXPECT_TRUE(rig.window.trial().succeeded());
    EXPECT_EQ(rig.status(), texts::succeeded);
    EXPECT_EQ(rig.window.TRY_NODE_STATUS_TEXTBOX.background(), colours::green);
    EXPECT_EQ(rig.h.fake.launcher.ran,
              (std::vector<std::string>{rig.home + "/BATS/LTC1-RUN-DAEMON.sh",
                                        rig.home + "/BATS/LTC1-RUN-BLOCKCOUNTER-NODE-CHECK.sh",
                                        rig.home + "/BATS/LTC1-RUN-CLI-STOP.sh"}));
    EXPECT_EQ(rig.report(),
              "0.0 S  STARTED LTC1-RUN-DAEMON.sh\n"
              "0.5 S  THE NODE RUNS (litecoind)\n"
              "1.0 S  ANSWERED: NETWORK regtest, 150 BLOCKS, 151 HEADERS, 0 PEERS, 0 CONNECTIONS\n"
              "1.0 S  STOP REQUEST SENT\n"
              "1.5 S  THE NODE HAS EXITED\n"
              "1.5 S  " + std::string(texts::succeeded));
}

TEST(NodeTrial, RefusesDuringARunANodeThatAlreadyRunsAndMissingCommandFiles) {
    TrialRig rig;
    rig.h.main().RUN_UNDER_WAY = true;
    rig.tryTheNode();
    EXPECT_EQ(rig.status(), texts::runUnderWay);
    rig.h.main().RUN_UNDER_WAY = false;

    rig.h.fake.processes.start("litecoind");
    rig.tryTheNode();
    EXPECT_EQ(rig.status(), texts::alreadyRunning);
    EXPECT_FALSE(rig.window.trial().underWay());
    rig.h.fake.processes.end("litecoind");

    rig.h.fake.files.files.erase(rig.home + "/BATS/LTC1-RUN-CLI-STOP.sh");
    rig.tryTheNode();
    EXPECT_EQ(rig.status(), "!!! COMMAND FILE LTC1-RUN-CLI-STOP.sh MISSING - CRYPTO SETTINGS: \"Save\" WRITES IT - NOTHING STARTED !!!");
    EXPECT_TRUE(rig.h.fake.launcher.ran.empty());
}

TEST(NodeTrial, ANodeThatNeverRunsIsToldWithTheLastLinesOfItsLog) {
    TrialRig rig;
    rig.h.fake.launcher.onRun = [&rig](const std::string&) {
        rig.h.fake.files.files[rig.home + "/LOGS/LTC1-NODE.LOG"] =
            "line 1\nline 2\nline 3\nError: Config setting for -wallet only applied on regtest network when in "
            "[regtest] section.\n\n";
    };
    rig.tryTheNode();
    rig.advanceUntilDone();
    EXPECT_EQ(rig.status(), texts::neverRan);
    EXPECT_EQ(rig.window.TRY_NODE_STATUS_TEXTBOX.background(), colours::red);
    EXPECT_NE(rig.report().find("THE NODE'S LOG:\n    line 2\n    line 3\n    Error: Config setting for -wallet"),
              std::string::npos)
        << rig.report();
    EXPECT_NE(rig.report().find("10.0 S  THE NODE'S LOG"), std::string::npos) << rig.report();
}

TEST(NodeTrial, ANodeThatNeverAnswersIsStoppedAfterTwoMinutesAndOneThatWillNotExitIsEnded) {
    TrialRig rig;
    rig.nodeAnswers = false;
    rig.nodeStops = false;
    rig.tryTheNode();
    rig.h.fake.loop.advance(60'000);
    EXPECT_NE(rig.status().find("WAITING FOR THE NODE'S ANSWER - 60.0 S OF AT MOST 120 S"), std::string::npos);
    rig.advanceUntilDone();
    EXPECT_NE(rig.report().find("120.0 S  " + std::string(texts::noAnswer)), std::string::npos) << rig.report();
    EXPECT_EQ(rig.h.fake.processes.askedToShutDown, std::vector<std::string>{"litecoind"});
    EXPECT_EQ(rig.h.fake.processes.terminated, std::vector<std::string>{"litecoind"});
    EXPECT_EQ(rig.status(), texts::killed);
    EXPECT_FALSE(rig.window.trial().succeeded());
}

}  // namespace
}  // namespace syncward::testing
