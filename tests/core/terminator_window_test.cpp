#include <gtest/gtest.h>

#include "core/processes/process_windows.h"
#include "core/processes/self_termination_window.h"
#include "core/processes/terminator_window.h"
#include "support/app_harness.h"

namespace syncward::testing {
namespace {

class Terminator : public ::testing::Test {
protected:
    explicit Terminator(PlatformProfile profile = PlatformProfile::windows()) : h(std::move(profile)) {}

    TerminatorWindow& open() {
        h.store("QT_NAME_TEXTBOX", "bitcoin-qt.exe");
        h.store("DAEMOND_NAME_TEXTBOX", "bitcoind.exe");
        h.store("DAEMONCLI_NAME_SETTINGS_TEXTBOX", "bitcoin-cli.exe");
        h.start();
        h.fake.loop.advance(250);
        h.main().TERMINATOR_BUTTON.click();
        return h.app->processWindows().terminator();
    }
    void arm(TerminatorWindow& win) { win.ENABLE_TERMINATOR_TICKBOX.setValue(1); }
    std::vector<bool> terminateButtons(TerminatorWindow& win) {
        std::vector<bool> enabled;
        for (Button* b : win.terminateButtons()) enabled.push_back(b->enabled());
        enabled.push_back(win.CUSTOM_TERMINATE_BUTTON.enabled());
        return enabled;
    }
    bool selfTerminationShown() {
        Form* self = &h.app->processWindows().selfTermination();
        return !h.fake.windows.shown.empty() && h.fake.windows.shown.back().first == self;
    }

    AppHarness h;
};

TEST_F(Terminator, OpensDisarmedWithTheWatchedNamesAndNothingToPress) {
    h.fake.processes.start("bitcoind.exe");
    TerminatorWindow& win = open();
    ASSERT_EQ(h.fake.windows.shown.back(), std::make_pair(static_cast<Form*>(&win), true));
    EXPECT_EQ(win.caption(), "SYNCWARD - PROCESS TERMINATOR");
    EXPECT_EQ(win.DAEMON_NAME_TEXTBOX.text(), "bitcoind.exe");
    EXPECT_EQ(win.DAEMON_NAME_TEXTBOX.tooltip(), "bitcoind.exe");
    EXPECT_EQ(win.CLI_NAME_TEXTBOX.text(), "bitcoin-cli.exe");
    EXPECT_EQ(win.PROCESS_TEXTBOX_4.text(), "SendEmail.exe");
    EXPECT_FALSE(win.ENABLE_TERMINATOR_TICKBOX.ticked());
    EXPECT_EQ(terminateButtons(win), std::vector<bool>(5, false));
    EXPECT_EQ(win.CUSTOM_PROCESS_NAME_TEXTBOX.text(), "");
    EXPECT_FALSE(win.CUSTOM_PROCESS_NAME_TEXTBOX.enabled());
    h.fake.loop.advance(5000);
    EXPECT_EQ(terminateButtons(win), std::vector<bool>(5, false)) << "disarmed, nothing is mirrored";
    EXPECT_EQ(win.DAEMON_NAME_TEXTBOX.background(), colours::windowBackground);
}

TEST_F(Terminator, ArmedItMirrorsTheMainWindowAndOffersOnlyWhatRuns) {
    h.fake.processes.start("bitcoind.exe");
    h.fake.processes.start("SendEmail.exe");
    TerminatorWindow& win = open();
    arm(win);
    EXPECT_TRUE(win.CUSTOM_PROCESS_NAME_TEXTBOX.enabled());
    EXPECT_EQ(terminateButtons(win), (std::vector<bool>{false, true, false, true, false}));
    EXPECT_EQ(win.DAEMON_NAME_TEXTBOX.background(), colours::green);
    EXPECT_EQ(win.QT_NAME_TEXTBOX.background(), colours::red);
    EXPECT_TRUE(win.DAEMON_NAME_TEXTBOX.enabled());
    EXPECT_FALSE(win.QT_NAME_TEXTBOX.enabled());

    h.fake.processes.end("bitcoind.exe");
    h.fake.processes.start("bitcoin-qt.exe");
    h.fake.loop.advance(1000);
    EXPECT_EQ(terminateButtons(win), (std::vector<bool>{true, false, false, true, false}));

    // A box edited while its program runs: TERMINATE ends what it now names.
    win.QT_NAME_TEXTBOX.setText("BITCOIN-QT.EXE");
    win.QT_TERMINATE_BUTTON.click();
    win.SENDEMAIL_TERMINATE_BUTTON.click();
    EXPECT_EQ(h.fake.processes.terminated, (std::vector<std::string>{"BITCOIN-QT.EXE", "SendEmail.exe"}));
    EXPECT_TRUE(h.fake.processes.processes.empty());
}

TEST_F(Terminator, UntickingDisarmsEveryButtonAndNameBox) {
    h.fake.processes.start("bitcoind.exe");
    h.fake.processes.start("stray.exe");
    TerminatorWindow& win = open();
    arm(win);
    win.CUSTOM_PROCESS_NAME_TEXTBOX.setText("stray.exe");
    h.fake.loop.advance(1000);
    ASSERT_TRUE(win.DAEMON_TERMINATE_BUTTON.enabled());
    ASSERT_TRUE(win.CUSTOM_TERMINATE_BUTTON.enabled());

    win.ENABLE_TERMINATOR_TICKBOX.setValue(0);
    EXPECT_EQ(terminateButtons(win), std::vector<bool>(5, false));
    for (TextBox* box : win.nameBoxes()) {
        EXPECT_FALSE(box->enabled()) << box->name();
        EXPECT_EQ(box->background(), colours::windowBackground) << box->name();
    }
    EXPECT_EQ(win.CUSTOM_PROCESS_NAME_TEXTBOX.text(), "");
    EXPECT_FALSE(win.CUSTOM_PROCESS_NAME_TEXTBOX.enabled());
    EXPECT_FALSE(win.MIRROR_PROCESS_STATE_TIMER.enabled());
    EXPECT_FALSE(win.CUSTOM_PROCESS_WATCHER_TIMER.enabled());
    h.fake.loop.advance(3000);
    EXPECT_EQ(terminateButtons(win), std::vector<bool>(5, false));

    // Closed armed and opened again: disarmed.
    arm(win);
    win.OK_BUTTON.click();
    h.main().TERMINATOR_BUTTON.click();
    EXPECT_FALSE(win.ENABLE_TERMINATOR_TICKBOX.ticked());
    EXPECT_EQ(terminateButtons(win), std::vector<bool>(5, false));
}

TEST_F(Terminator, TheCustomNameIsWatchedEverySecondWhileArmed) {
    TerminatorWindow& win = open();
    arm(win);
    EXPECT_EQ(win.CUSTOM_PROCESS_NAME_TEXTBOX.background(), colours::windowBackground);
    win.CUSTOM_PROCESS_NAME_TEXTBOX.setText("Stray.EXE");
    h.fake.loop.advance(1000);
    EXPECT_EQ(win.CUSTOM_PROCESS_NAME_TEXTBOX.background(), colours::red);
    EXPECT_FALSE(win.CUSTOM_TERMINATE_BUTTON.enabled());
    h.fake.processes.start("stray.exe");
    h.fake.loop.advance(1000);
    EXPECT_EQ(win.CUSTOM_PROCESS_NAME_TEXTBOX.background(), colours::green);
    ASSERT_TRUE(win.CUSTOM_TERMINATE_BUTTON.enabled());

    h.fake.processes.failQueries = true;
    h.fake.loop.advance(1000);
    EXPECT_FALSE(win.CUSTOM_TERMINATE_BUTTON.enabled()) << "no list, no guess";
    EXPECT_EQ(win.TERMINATOR_STATUS_LABEL.caption(), "!!! PROCESS LIST UNAVAILABLE - CUSTOM PROCESS NOT CHECKED !!!");
    h.fake.processes.failQueries = false;
    h.fake.loop.advance(1000);
    EXPECT_EQ(win.TERMINATOR_STATUS_LABEL.caption(), "");

    win.CUSTOM_TERMINATE_BUTTON.click();
    EXPECT_EQ(h.fake.processes.terminated, std::vector<std::string>{"Stray.EXE"});
    win.CUSTOM_PROCESS_NAME_TEXTBOX.setText("");
    h.fake.loop.advance(1000);
    EXPECT_EQ(win.CUSTOM_PROCESS_NAME_TEXTBOX.background(), colours::windowBackground);
    EXPECT_FALSE(win.CUSTOM_TERMINATE_BUTTON.enabled());
}

// The window takes back only its own word that the list could not be read:
// any other text the label holds stays through a good read.
TEST_F(Terminator, AGoodReadClearsTheListComplaintOnlyWhileItIsTheWindowsOwn) {
    TerminatorWindow& win = open();
    arm(win);
    win.CUSTOM_PROCESS_NAME_TEXTBOX.setText("stray.exe");
    win.TERMINATOR_STATUS_LABEL.setCaption("ANOTHER WORD");
    h.fake.loop.advance(1000);
    EXPECT_EQ(win.TERMINATOR_STATUS_LABEL.caption(), "ANOTHER WORD");

    h.fake.processes.failQueries = true;
    h.fake.loop.advance(1000);
    EXPECT_EQ(win.TERMINATOR_STATUS_LABEL.caption(), "!!! PROCESS LIST UNAVAILABLE - CUSTOM PROCESS NOT CHECKED !!!");
    h.fake.processes.failQueries = false;
    h.fake.loop.advance(1000);
    EXPECT_EQ(win.TERMINATOR_STATUS_LABEL.caption(), "");
    // Taken back once: a word shown after it is not the complaint.
    win.TERMINATOR_STATUS_LABEL.setCaption("ANOTHER WORD");
    h.fake.loop.advance(3000);
    EXPECT_EQ(win.TERMINATOR_STATUS_LABEL.caption(), "ANOTHER WORD");

    // Opened again with the complaint showing: the open clears it, and with
    // it the window's claim on the label.
    h.fake.processes.failQueries = true;
    h.fake.loop.advance(1000);
    win.close();
    h.fake.processes.failQueries = false;
    h.main().TERMINATOR_BUTTON.click();
    TerminatorWindow& again = h.app->processWindows().terminator();
    ASSERT_EQ(&again, &win);
    EXPECT_EQ(again.TERMINATOR_STATUS_LABEL.caption(), "");
    arm(again);
    again.CUSTOM_PROCESS_NAME_TEXTBOX.setText("stray.exe");
    again.TERMINATOR_STATUS_LABEL.setCaption("ANOTHER WORD");
    h.fake.loop.advance(2000);
    EXPECT_EQ(again.TERMINATOR_STATUS_LABEL.caption(), "ANOTHER WORD");
}

// Ending this program by any name it answers to needs the confirmation:
// its own name in another letter case, and names the process list knows
// it by (a link's target) all go to the self-termination window.
TEST_F(Terminator, EveryNameThatWouldEndThisProgramAsksFirst) {
    h.fake.processes.ownNames = {"BTC1.exe", "syncward-build"};
    TerminatorWindow& win = open();
    arm(win);
    for (const std::string name : {"BTC1.exe", "btc1.EXE", "SYNCWARD-BUILD"}) {
        h.fake.processes.start(name);
        win.CUSTOM_PROCESS_NAME_TEXTBOX.setText(name);
        h.fake.loop.advance(1000);
        const std::size_t shown = h.fake.windows.shown.size();
        win.CUSTOM_TERMINATE_BUTTON.click();
        EXPECT_EQ(h.fake.windows.shown.size(), shown + 1) << name;
        EXPECT_TRUE(selfTerminationShown()) << name;
        h.app->processWindows().selfTermination().ONLY_JOKING_BUTTON.click();
    }
    // The same through a name box of the node's programs.
    win.DAEMON_NAME_TEXTBOX.setText("Btc1.exe");
    win.DAEMON_TERMINATE_BUTTON.click();
    EXPECT_TRUE(selfTerminationShown());
    EXPECT_TRUE(h.fake.processes.terminated.empty()) << "nothing was ended without the confirmation";

    win.CUSTOM_PROCESS_NAME_TEXTBOX.setText("btc2.exe");
    win.CUSTOM_TERMINATE_BUTTON.click();
    EXPECT_EQ(h.fake.processes.terminated, std::vector<std::string>{"btc2.exe"}) << "another copy's name is not ours";
}

TEST_F(Terminator, SelfTerminationEndsEveryCopyOfThisNameOrIsDismissed) {
    TerminatorWindow& win = open();
    arm(win);
    win.CUSTOM_PROCESS_NAME_TEXTBOX.setText("BTC1.exe");
    win.CUSTOM_TERMINATE_BUTTON.click();
    SelfTerminationWindow& self = h.app->processWindows().selfTermination();
    ASSERT_EQ(h.fake.windows.shown.back(), std::make_pair(static_cast<Form*>(&self), true));
    EXPECT_EQ(self.caption(), "SYNCWARD - SELF TERMINATION");
    EXPECT_EQ(self.placement().width, 6480);
    EXPECT_EQ(self.placement().height, 2715);

    self.setPosition(1500, 1600);
    self.ONLY_JOKING_BUTTON.click();
    EXPECT_FALSE(self.isOpen());
    EXPECT_EQ(h.stored("SELF_TERMINATION_WINDOW-Left"), "1500");
    EXPECT_EQ(h.stored("SELF_TERMINATION_WINDOW-Top"), "1600");
    EXPECT_TRUE(h.fake.processes.terminated.empty());

    win.CUSTOM_TERMINATE_BUTTON.click();
    self.SELF_TERMINATE_BUTTON.click();
    EXPECT_EQ(h.fake.processes.terminated, std::vector<std::string>{"BTC1.exe"});
}

class PosixTerminator : public Terminator {
protected:
    PosixTerminator() : Terminator(PlatformProfile::posix("/home/satoshi")) {}
};

TEST_F(PosixTerminator, OwnNameHasNoSuffixAndEndsEveryCopyByIt) {
    h.fake.environment.exeName = "LTC1";
    TerminatorWindow& win = open();
    EXPECT_EQ(win.PROCESS_TEXTBOX_4.text(), "sendemail");
    arm(win);
    win.CUSTOM_PROCESS_NAME_TEXTBOX.setText("ltc1");
    win.CUSTOM_TERMINATE_BUTTON.click();
    EXPECT_TRUE(selfTerminationShown());
    h.app->processWindows().selfTermination().SELF_TERMINATE_BUTTON.click();
    EXPECT_EQ(h.fake.processes.terminated, std::vector<std::string>{"LTC1"});
}

}  // namespace
}  // namespace syncward::testing
