#include <gtest/gtest.h>

#include <algorithm>

#include "block_counter_rig.h"

namespace syncward::testing {
namespace {

const std::string updating = "!!! BLOCKCOUNTER - UPDATING BLOCKCOUNT !!!";

// R0 (the last accepted reading) and three readings with the same text.
struct Confirmation {
    explicit Confirmation(PlatformProfile profile, int clientRunMs = 0) : rig(std::move(profile)) {
        rig.clientRunMs = clientRunMs;
        r0 = "812345" + rig.lineEnd();
        rig.readings = {r0, r0, r0};
        MainWindow& w = rig.start(r0);
        w.FINISH_WHEN_IDENTICAL_TICKBOX.setTicked(true);
        // The four readings alone, as without the node check.
        w.CONFIRM_WITH_NODE_TICKBOX.setTicked(false);
        rig.h.fake.store.clearLog();
        rig.setInterval("00:00:10");
        rig.recordStatuses();
        rig.clickStart();
    }
    bool runToCompletion() { return rig.runUntil([&] { return rig.main().COMPLETED_TIMER.enabled(); }); }
    std::size_t firstLoad() const {
        return std::find(rig.statuses.begin(), rig.statuses.end(), updating + " NNNN") - rig.statuses.begin();
    }
    BlockCounterRig rig;
    std::string r0;
};

class WorkedSequence : public ::testing::TestWithParam<bool> {
protected:
    PlatformProfile profile() const {
        return GetParam() ? PlatformProfile::windows() : PlatformProfile::posix("/home/satoshi");
    }
};

// Each status with the indicators (IDENTICAL, VERIFYING, TRIPLE-CHECK,
// CONFIRMED) as they stand when it appears, from the load of R1 on.
TEST_P(WorkedSequence, FourEqualReadingsWalkEveryIndicatorStateAndHandOverToCompletion) {
    Confirmation c(profile());
    ASSERT_TRUE(c.runToCompletion());
    const std::vector<std::string> expected = {
        updating + " NNNN",
        "!!! BLOCKCOUNTER - BLOCKCOUNT UPDATED !!! NNNN",
        "!!! BLOCKCOUNTER - COMPARING BLOCK NUMBERS !!! NNNN",
        "!!! BLOCKCOUNTER - POSSIBLY IDENTICAL !!! NNNN",
        "!!! BLOCKCOUNTER - IDENTICAL BLOCK NUMBERS !!! NNNN",
        "!!! BLOCKCOUNTER - CHECKER STARTED !!! GNNN",  // identical: S1
        "!!! BLOCKCOUNTER - RUNNING CHECKER !!! GNNN",
        "!!! BLOCKCOUNTER - RUNNING GETBLOCKCOUNT !!! GPNN",  // checker rule 5: S2, reading R2
        "GOOD - CLI PROCESS NOT RUNNING GPNN",
        updating + " GPNN",
        "!!! BLOCKCOUNTER - BLOCKCOUNT UPDATED !!! GPNN",
        "!!! BLOCKCOUNTER - COMPARING BLOCK NUMBERS !!! GPNN",
        "!!! BLOCKCOUNTER - POSSIBLY IDENTICAL !!! GPNN",
        "!!! BLOCKCOUNTER - IDENTICAL BLOCK NUMBERS !!! GPNN",
        "!!! BLOCKCOUNTER - CHECKER STARTED !!! GPNN",
        "!!! BLOCKCOUNTER - RUNNING CHECKER !!! GPNN",
        "!!! BLOCKCOUNTER - VERIFYING GETBLOCKCOUNT!!! GPNN",  // checker rule 4: verify
        "!!! BLOCKCOUNTER - RUNNING GETBLOCKCOUNT !!! GGPN",  // verified: S3, reading R3
        "GOOD - CLI PROCESS NOT RUNNING GGPN",
        updating + " GGPN",
        "!!! BLOCKCOUNTER - BLOCKCOUNT UPDATED !!! GGPN",
        "!!! BLOCKCOUNTER - COMPARING BLOCK NUMBERS !!! GGPN",
        "!!! BLOCKCOUNTER - POSSIBLY IDENTICAL !!! GGPN",
        "!!! BLOCKCOUNTER - IDENTICAL BLOCK NUMBERS !!! GGPN",
        "!!! BLOCKCOUNTER - CHECKER STARTED !!! GGPN",
        "!!! BLOCKCOUNTER - RUNNING CHECKER !!! GGPN",
        "!!! BLOCKCOUNTER - TRIPLE CHECK CONFIRMED !!! GGPN",  // checker rules 3 and 6: triple check
        "!!! BLOCKCOUNTER - VERIFIER FINISHED !!! GGGG",
    };
    const std::size_t load = c.firstLoad();
    ASSERT_LT(load, c.rig.statuses.size());
    EXPECT_EQ(std::vector<std::string>(c.rig.statuses.begin() + load, c.rig.statuses.end()), expected);
    EXPECT_EQ(c.rig.indicators(), "GGGG");

    // The intervals alone, with a client too quick for the watch to see.
    EXPECT_EQ(c.rig.loop().now() - c.rig.statusTimes[load], 21500);
    MainWindow& w = c.rig.main();
    EXPECT_EQ(c.rig.runningStages(), std::vector<std::string>{"COMPLETED_TIMER"});
    EXPECT_EQ(w.CURRENT_BLOCK_TEXTBOX.background(), colours::green);
    EXPECT_EQ(w.CURRENT_BLOCK_TEXTBOX.foreground(), colours::black);
    EXPECT_EQ(w.LAST_BLOCKCOUNT_TEXTBOX.background(), colours::green);
    for (TextBox* text : {&w.CURRENT_BLOCK_TEXTBOX, &w.LAST_BLOCKCOUNT_TEXTBOX})
        EXPECT_EQ(text->text(), c.r0) << text->name();
    EXPECT_EQ(w.run.readings.verifierReference, c.r0);
    EXPECT_EQ(w.run.readings.tripleCheckReference, c.r0);
    EXPECT_EQ(c.rig.clientRuns, 3);
    EXPECT_EQ(c.rig.nodeChecks, 0) << "the switch is off: the node is not asked";

    // The information keys are written once, at the first comparison.
    EXPECT_EQ(c.rig.h.fake.store.savedKeys("BTC1"),
              (std::vector<std::string>{"BLOCKCOUNTER_LAST_RUN", "INFO_ONLY_CURRENT_BLOCK_TEXTBOX",
                                        "INFO_ONLY_LAST_BLOCKCOUNT_TEXTBOX", "INFO_ONLY_BLOCK_VERIFIER_TEXTBOX",
                                        "INFO_ONLY_BLOCK_TRIPLE_CHECK_TEXTBOX"}));
    EXPECT_EQ(c.rig.h.stored("INFO_ONLY_CURRENT_BLOCK_TEXTBOX"), c.r0);
}

TEST_P(WorkedSequence, TheClientsRunTimeAddsToEachOfTheTwoWaits) {
    Confirmation c(profile(), /*clientRunMs=*/2000);
    ASSERT_TRUE(c.runToCompletion());
    const auto elapsed = c.rig.loop().now() - c.rig.statusTimes[c.firstLoad()];
    // Each wait ends on the first client-wait tick after the watch saw the
    // client gone: at least its run time, at most half a second more.
    EXPECT_GE(elapsed, 21500 + 2 * 2000 - 2 * 250);
    EXPECT_LE(elapsed, 21500 + 2 * 2500);
    EXPECT_NE(std::find(c.rig.statuses.begin(), c.rig.statuses.end(), "!!! CLI PROCESS RUNNING - WAITING !!! GPNN"),
              c.rig.statuses.end());
}

INSTANTIATE_TEST_SUITE_P(BothProfiles, WorkedSequence, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Windows" : "Posix"; });

// A rig whose counter has started with the given last reading.
struct Checks : ::testing::Test {
    void startWith(const std::string& last, std::deque<std::string> readings, bool finish = true,
                   PlatformProfile profile = PlatformProfile::windows()) {
        rig = std::make_unique<BlockCounterRig>(std::move(profile));
        rig->readings = std::move(readings);
        MainWindow& w = rig->start(last);
        w.FINISH_WHEN_IDENTICAL_TICKBOX.setTicked(finish);
        rig->h.fake.store.clearLog();
        rig->setInterval("00:00:10");
        rig->recordStatuses();
        rig->clickStart();
    }
    // Runs until the counter is back in a full countdown after a reading.
    bool untilCountdownRestarts() {
        const int runs = rig->clientRuns;
        return rig->runUntil([&] {
            return rig->clientRuns > runs && rig->main().BLOCKCOUNTER_COUNTDOWN_TIMER.enabled() &&
                   rig->main().COUNTDOWN_REMAINING == 10;
        });
    }
    bool seen(const std::string& status) {
        return std::any_of(rig->statuses.begin(), rig->statuses.end(),
                           [&](const std::string& s) { return s.rfind(status, 0) == 0; });
    }
    MainWindow& w() { return rig->main(); }
    std::unique_ptr<BlockCounterRig> rig;
};

TEST_F(Checks, UnusableReadingsAreDiscardedAndTheLastAcceptedOneRestored) {
    // "0" with this platform's line end, and an empty file, are unusable;
    // "0" with another line end is a reading like any other.
    for (bool windows : {true, false}) {
        const PlatformProfile profile = windows ? PlatformProfile::windows() : PlatformProfile::posix("/home/satoshi");
        const std::string lineEnd = profile.lineEnd();
        for (const std::string& unusable : {std::string("0") + lineEnd, std::string()}) {
            startWith("700" + lineEnd, {unusable}, true, profile);
            ASSERT_TRUE(untilCountdownRestarts());
            EXPECT_TRUE(seen("!!! BLOCKCOUNTER - ZERO / NOT IDENTICAL !!!"));
            EXPECT_EQ(w().CURRENT_BLOCK_TEXTBOX.text(), "700" + lineEnd);
            EXPECT_EQ(w().LAST_BLOCKCOUNT_TEXTBOX.text(), "700" + lineEnd);
            EXPECT_EQ(w().CURRENT_BLOCK_TEXTBOX.background(), colours::black);
            EXPECT_EQ(w().CURRENT_BLOCK_TEXTBOX.foreground(), colours::green);
            EXPECT_EQ(w().BLOCKCOUNT_TIMER_TEXTBOX.text(), "00:00:10");
            EXPECT_TRUE(rig->h.fake.store.savedKeys("BTC1").size() == 1) << "no comparison was made";
        }
        // A line end the client of this platform does not write is no count.
        const std::string otherZero = windows ? "0\n" : "0\r\n";
        startWith("700" + lineEnd, {otherZero}, true, profile);
        ASSERT_TRUE(untilCountdownRestarts());
        EXPECT_TRUE(seen("!!! BLOCKCOUNTER - ZERO / NOT IDENTICAL !!!"));
        EXPECT_EQ(w().LAST_BLOCKCOUNT_TEXTBOX.text(), "700" + lineEnd);
    }
}

TEST_F(Checks, AMissingFileCountsAsAnEmptyReading) {
    startWith("700\r\n", {});
    ASSERT_TRUE(untilCountdownRestarts());
    EXPECT_TRUE(seen("!!! BLOCKCOUNTER - BLOCKCOUNT FILE NOT FOUND !!!"));
    EXPECT_TRUE(seen("!!! BLOCKCOUNTER - ZERO / NOT IDENTICAL !!!"));
    EXPECT_EQ(w().CURRENT_BLOCK_TEXTBOX.text(), "700\r\n");
}

TEST_F(Checks, AnUnusableReadingInTheMiddleOfAnAgreementStartsOver) {
    startWith("700\r\n", {"700\r\n", "0\r\n"});
    ASSERT_TRUE(rig->runUntil([&] { return w().GETBLOCKCOUNT_TIMER.enabled() && rig->indicators() == "GPNN"; }));
    ASSERT_TRUE(untilCountdownRestarts());
    EXPECT_EQ(rig->indicators(), "NNNN");
    EXPECT_EQ(w().CURRENT_BLOCK_TEXTBOX.text(), "700\r\n");
}

TEST_F(Checks, TheFirstReadingAfterAnEmptyLastCountBecomesTheLastOne) {
    startWith("", {"701\r\n"});
    ASSERT_TRUE(untilCountdownRestarts());
    EXPECT_TRUE(seen("!!! BLOCKCOUNTER - NOT IDENTICAL !!!"));
    EXPECT_EQ(w().LAST_BLOCKCOUNT_TEXTBOX.text(), "701\r\n");
    EXPECT_EQ(rig->indicators(), "NNNN");
    // The information keys are written even though the comparison failed.
    EXPECT_EQ(rig->h.stored("INFO_ONLY_LAST_BLOCKCOUNT_TEXTBOX"), "");
    EXPECT_EQ(rig->h.stored("INFO_ONLY_CURRENT_BLOCK_TEXTBOX"), "701\r\n");
}

TEST_F(Checks, ABlockArrivingBetweenReadingsDiscardsTheAgreement) {
    // R1 agrees with R0; R2 brings a new block, or (in the second case)
    // lacks its line end and is no count at all: either way the agreement
    // is gone.
    for (const std::string& r2 : {std::string("701\r\n"), std::string("700")}) {
        const bool count = r2 == "701\r\n";
        startWith("700\r\n", {"700\r\n", r2});
        ASSERT_TRUE(rig->runUntil([&] { return rig->indicators() == "GPNN"; }));
        ASSERT_TRUE(untilCountdownRestarts());
        EXPECT_TRUE(seen(count ? "!!! BLOCKCOUNTER - NOT IDENTICAL !!!" : "!!! BLOCKCOUNTER - ZERO / NOT IDENTICAL !!!"));
        EXPECT_EQ(w().LAST_BLOCKCOUNT_TEXTBOX.text(), count ? r2 : "700\r\n");
        EXPECT_EQ(rig->indicators(), "NNNN");
        EXPECT_FALSE(w().COMPLETED_TIMER.enabled());
    }
}

// The chain counts as caught up after exactly agreeingReadings readings in
// a row, the last accepted one first; a new block at any of them starts
// over, the last of them included.
TEST_F(Checks, ExactlyTheRequiredNumberOfAgreeingReadingsCompleteThePhase) {
    startWith("700\r\n", std::deque<std::string>(agreeingReadings - 1, "700\r\n"));
    w().CONFIRM_WITH_NODE_TICKBOX.setTicked(false);
    ASSERT_TRUE(rig->runUntil([&] { return w().COMPLETED_TIMER.enabled(); }));
    EXPECT_EQ(rig->clientRuns, agreeingReadings - 1);

    for (int grows = 1; grows < agreeingReadings; ++grows) {
        std::deque<std::string> readings(static_cast<std::size_t>(grows - 1), "700\r\n");
        readings.push_back("701\r\n");
        startWith("700\r\n", readings);
        w().CONFIRM_WITH_NODE_TICKBOX.setTicked(false);
        ASSERT_TRUE(rig->runUntil([&] {
            return rig->clientRuns == grows && w().BLOCKCOUNTER_COUNTDOWN_TIMER.enabled() && w().COUNTDOWN_REMAINING == 10;
        })) << grows;
        EXPECT_EQ(rig->indicators(), "NNNN") << grows;
        EXPECT_EQ(w().run.agreement.agreeing, 0) << grows;
        EXPECT_EQ(w().LAST_BLOCKCOUNT_TEXTBOX.text(), "701\r\n") << "the new block is the last accepted reading";
        EXPECT_FALSE(w().COMPLETED_TIMER.enabled()) << grows;
    }
}

TEST_F(Checks, WithoutFinishWhenIdenticalTheCounterKeepsPolling) {
    startWith("700\r\n", {"700\r\n", "700\r\n", "700\r\n", "700\r\n", "700\r\n"}, /*finish=*/false);
    ASSERT_FALSE(rig->runUntil([&] { return w().COMPLETED_TIMER.enabled(); }, 100'000));
    EXPECT_GE(rig->clientRuns, 5);
    EXPECT_TRUE(seen("!!! BLOCKCOUNTER - CHECKER DISABLED !!!"));
    EXPECT_TRUE(seen("!!! BLOCKCOUNTER - RESTARTING COUNTDOWN !!!"));
    EXPECT_FALSE(seen("!!! BLOCKCOUNTER - RUNNING CHECKER !!!"));
    const auto disabled = std::find_if(rig->statuses.begin(), rig->statuses.end(), [](const std::string& s) {
        return s.rfind("!!! BLOCKCOUNTER - CHECKER DISABLED !!!", 0) == 0;
    });
    ASSERT_NE(disabled + 1, rig->statuses.end());
    EXPECT_EQ(*(disabled + 1), "!!! BLOCKCOUNTER - RESTARTING COUNTDOWN !!! NNNN");
}

TEST_F(Checks, IndicatorsLeftByAnEarlierPhaseKeepThatPhasesReferences) {
    startWith("700\r\n", {"700\r\n"});
    ASSERT_TRUE(rig->runUntil([&] { return w().GETBLOCKCOUNT_TIMER.enabled() && rig->indicators() == "GPNN"; }));
    w().FINISH_BLOCKCOUNTER_BUTTON.click();  // leaves the indicators as they are
    ASSERT_EQ(rig->indicators(), "GPNN");

    // Meanwhile the chain moved on; a new phase is started by hand.
    setReading(w(), &BlockReadings::lastAccepted, "705\r\n");
    rig->readings = {"705\r\n"};
    rig->h.fake.store.clearLog();
    rig->clickStart();
    ASSERT_TRUE(untilCountdownRestarts());
    // No new references were captured, so the verify step compared with
    // the earlier phase's "700" and failed; the last reading stays.
    EXPECT_EQ(w().run.readings.verifierReference, "700\r\n");
    EXPECT_TRUE(seen("!!! BLOCKCOUNTER - VERIFY FAILED !!!"));
    EXPECT_EQ(w().LAST_BLOCKCOUNT_TEXTBOX.text(), "705\r\n");
    EXPECT_EQ(rig->indicators(), "NNNN");
    EXPECT_EQ(rig->h.fake.store.savedKeys("BTC1"), std::vector<std::string>{"BLOCKCOUNTER_LAST_RUN"});
}

TEST_F(Checks, AConfirmationLeftOverFromAnEarlierPhaseNeverStallsTheChain) {
    startWith("700\r\n", {"700\r\n"});
    for (TextBox* box : {&w().IDENTICAL_TEXTBOX, &w().VERIFYING_TEXTBOX, &w().TRIPLE_CHECK_TEXTBOX,
                         &w().CONFIRMED_TEXTBOX})
        box->setBackground(colours::green);
    ASSERT_TRUE(untilCountdownRestarts());
    EXPECT_EQ(rig->indicators(), "NNNN");
    EXPECT_FALSE(w().COMPLETED_TIMER.enabled()) << "a fresh cycle must confirm again";
}

}  // namespace
}  // namespace syncward::testing

namespace syncward::testing {
namespace {

// An answer that is not a whole number with its line end never counts as a
// reading, however often it repeats.
TEST(ReadingsThatAreNoNumber, NeverConfirmTheChain) {
    for (const std::string& garbage : {std::string("error: couldn't connect\n"), std::string("812 345\n"),
                                      std::string("812345"), std::string(3000, 'x') + "\n"}) {
        BlockCounterRig rig(PlatformProfile::posix("/home/satoshi"));
        rig.readings = {garbage, garbage, garbage, garbage, garbage};
        MainWindow& w = rig.start(garbage);
        w.FINISH_WHEN_IDENTICAL_TICKBOX.setTicked(true);
        rig.setInterval("00:00:10");
        rig.clickStart();
        EXPECT_FALSE(rig.runUntil([&] { return w.COMPLETED_TIMER.enabled(); })) << garbage.substr(0, 30);
        EXPECT_NE(w.IDENTICAL_TEXTBOX.background(), colours::green);
    }
}

}  // namespace
}  // namespace syncward::testing
