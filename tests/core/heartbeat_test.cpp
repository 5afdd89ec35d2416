#include <gtest/gtest.h>

#include "core/keepawake/heartbeat.h"
#include "core/power/power_autotimer.h"
#include "core/power/power_autotimer_window.h"
#include "core/settings/main_settings_window.h"
#include "core/settings/settings_windows.h"
#include "support/app_harness.h"

namespace syncward::testing {
namespace {

class Heartbeat : public ::testing::Test {
protected:
    MainWindow& start(const std::string& interval = "00:00:05") {
        h.store("HEARTBEAT_COUNTDOWN_TIME_TEXTBOX", interval);
        h.start();
        return h.main();
    }
    void ms(long long n) { h.fake.loop.advance(n); }
    std::string lamps() {
        std::string out;
        for (int n = 1; n <= MainWindow::kittLabelCount; ++n) {
            const Colour c = h.main().kittLabel(n).background();
            out += c == colours::red ? 'R' : c == colours::black ? '.' : '?';
        }
        return out;
    }
    const std::vector<LockKey>& presses() { return h.fake.lockKeys.presses; }

    AppHarness h;
};

TEST_F(Heartbeat, AWholeIntervalEndsInTwoNumLockPressesWithTheirColours) {
    MainWindow& w = start("00:00:05");
    EXPECT_EQ(w.KITT_START_BUTTON.caption(), "START KITT");
    EXPECT_EQ(w.KITT_START_BUTTON.tooltip(), "START / STOP KITT \"Num-Lock\" HEARTBEAT");
    EXPECT_EQ(w.HEARTBEAT_COUNTDOWN_DISPLAY_TEXTBOX.tooltip(), "KITT \"Num-Lock\" HEARTBEAT TIMER");
    w.KITT_START_BUTTON.click();
    EXPECT_EQ(w.KITT_START_BUTTON.caption(), "STOP KITT");
    EXPECT_TRUE(h.fake.sleepInhibitor.held());

    ms(1000);
    EXPECT_EQ(w.HEARTBEAT_COUNTDOWN_DISPLAY_TEXTBOX.text(), "00:00:04");
    ms(3000);
    EXPECT_EQ(w.HEARTBEAT_COUNTDOWN_DISPLAY_TEXTBOX.text(), "00:00:01");
    EXPECT_EQ(w.KITT_BACKGROUND_LABEL.background(), colours::black);
    ms(1000);  // zero: the display shows the interval again and the pair is armed
    EXPECT_EQ(w.HEARTBEAT_COUNTDOWN_DISPLAY_TEXTBOX.text(), "00:00:05");
    EXPECT_EQ(w.KITT_BACKGROUND_LABEL.background(), colours::cyan);
    EXPECT_TRUE(presses().empty());
    ms(750);
    EXPECT_EQ(w.KITT_BACKGROUND_LABEL.background(), colours::green);
    EXPECT_EQ(presses(), std::vector<LockKey>{LockKey::Num});
    EXPECT_TRUE(h.fake.lockKeys.on[LockKey::Num]);
    ms(750);
    EXPECT_EQ(w.KITT_BACKGROUND_LABEL.background(), colours::black);
    EXPECT_EQ(presses().size(), 2u);
    EXPECT_FALSE(h.fake.lockKeys.on[LockKey::Num]);  // left as it was found
    // The next interval started at once: 5 s after the first zero, again.
    ms(3500);
    EXPECT_EQ(w.HEARTBEAT_COUNTDOWN_DISPLAY_TEXTBOX.text(), "00:00:05");
    EXPECT_EQ(w.KITT_BACKGROUND_LABEL.background(), colours::cyan);
}

// A shorter interval given with OK while the heartbeat runs counts whole
// from that moment, not from what was left of the old one.
TEST_F(Heartbeat, ANewIntervalGivenWithOkCountsWholeFromNow) {
    h.store("SYNCWARD_HOME_TEXTBOX", "C:\\R");
    MainWindow& w = start("00:10:00");
    w.KITT_START_BUTTON.click();
    ms(60'000);
    EXPECT_EQ(w.HEARTBEAT_COUNTDOWN_DISPLAY_TEXTBOX.text(), "00:09:00");
    w.SETTINGS_BUTTON.click();
    MainSettingsWindow& settings = h.app->settingsWindows().mainSettings();
    settings.HEARTBEAT_COUNTDOWN_TIME_TEXTBOX.setText("00:00:30");
    settings.OK_BUTTON.click();
    ASSERT_FALSE(settings.isOpen()) << settings.MESSAGE_STATUS_TEXTBOX.text();
    EXPECT_EQ(w.HEARTBEAT_COUNTDOWN_DISPLAY_TEXTBOX.text(), "00:00:30");
    ms(29'000);
    EXPECT_TRUE(presses().empty());
    ms(1000 + 750);
    EXPECT_EQ(presses(), std::vector<LockKey>{LockKey::Num});
}

TEST_F(Heartbeat, TheScannerSweepsOneLampOutAndBackEverySixteenSteps) {
    MainWindow& w = start();
    EXPECT_EQ(lamps(), "RRRRRRR");
    w.KITT_START_BUTTON.click();
    // The first sweep darkens the lamps one by one from the left.
    std::vector<std::string> seen;
    for (int step = 1; step <= 32; ++step) {
        ms(100);
        seen.push_back(lamps());
    }
    const std::vector<std::string> firstSweep = {"RRRRRRR", ".RRRRRR", "..RRRRR", "...RRRR", "....RRR", ".....RR",
                                                 "......R", ".......", "......R", ".....R.", "....R..", "...R...",
                                                 "..R....", ".R.....", "R......", "......."};
    const std::vector<std::string> laterSweep = {"R......", ".R.....", "..R....", "...R...", "....R..", ".....R.",
                                                 "......R", ".......", "......R", ".....R.", "....R..", "...R...",
                                                 "..R....", ".R.....", "R......", "......."};
    EXPECT_EQ(std::vector<std::string>(seen.begin(), seen.begin() + 16), firstSweep);
    EXPECT_EQ(std::vector<std::string>(seen.begin() + 16, seen.end()), laterSweep);

    w.KITT_START_BUTTON.click();  // the button's stop: lamps red as at load
    EXPECT_EQ(lamps(), "RRRRRRR");
    ms(1000);
    EXPECT_EQ(lamps(), "RRRRRRR");
    EXPECT_EQ(w.KITT_START_BUTTON.caption(), "START KITT");
    EXPECT_FALSE(h.fake.sleepInhibitor.held());
}

TEST_F(Heartbeat, StoppingBetweenThePressesFinishesThePairAndLeavesNumLockAsFound) {
    MainWindow& w = start("00:00:02");
    w.KITT_START_BUTTON.click();
    ms(2000 + 750);  // the first press is made
    ASSERT_EQ(presses().size(), 1u);
    w.KITT_START_BUTTON.click();
    EXPECT_EQ(presses().size(), 2u);
    EXPECT_FALSE(h.fake.lockKeys.on[LockKey::Num]);
    EXPECT_EQ(w.KITT_BACKGROUND_LABEL.background(), colours::black);
    ms(5000);
    EXPECT_EQ(presses().size(), 2u);

    // Stopped before the first press (cyan): nothing was pressed, nothing owed.
    w.KITT_START_BUTTON.click();
    ms(2000 + 100);
    w.KITT_START_BUTTON.click();
    EXPECT_EQ(presses().size(), 2u);

    // The run's stop and the program's end finish the pair just the same.
    w.KITT_START_BUTTON.click();
    ms(2000 + 750);
    stopHeartbeatForRun(h.app->context());
    EXPECT_EQ(presses().size(), 4u);
    EXPECT_EQ(lamps(), ".......");  // the run's stop darkens the lamps
    EXPECT_EQ(w.KITT_START_BUTTON.caption(), "START KITT");  // stopped, it offers the start (issue 25)
    w.KITT_START_BUTTON.click();
    ms(2000 + 750);
    w.close();
    EXPECT_EQ(presses().size(), 6u);
    EXPECT_FALSE(h.fake.lockKeys.on[LockKey::Num]);
    EXPECT_FALSE(h.fake.sleepInhibitor.held());
}

TEST_F(Heartbeat, AZeroOrInvalidIntervalIsRefusedWithAStatus) {
    for (const std::string interval : {"00:00:00", "5 minutes"}) {
        AppHarness fresh;
        fresh.store("HEARTBEAT_COUNTDOWN_TIME_TEXTBOX", interval);
        fresh.start();
        MainWindow& w = fresh.main();
        w.HEARTBEAT_COUNTDOWN_TIME_TEXTBOX.setText(interval);  // as a settings window would hand it over
        w.KITT_START_BUTTON.click();
        EXPECT_EQ(w.KITT_START_BUTTON.caption(), "START KITT") << interval;
        EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), heartbeat_texts::invalidInterval) << interval;
        EXPECT_FALSE(w.HEARTBEAT_TIMER.enabled());
        EXPECT_FALSE(fresh.fake.sleepInhibitor.held());
        // The run's start refuses it too, and the run's light says so.
        EXPECT_FALSE(startHeartbeatForRun(fresh.app->context()));
        EXPECT_FALSE(w.HEARTBEAT_TIMER.enabled());
    }
}

TEST_F(Heartbeat, TheRunStartsAndStopsItAndReleasesTheInhibitorBeforeThePowerAction) {
    h.store("TASK_2_ENABLE_TICKBOX", "1");
    h.store("TASK_18_ENABLE_TICKBOX", "1");
    MainWindow& w = start("00:00:05");
    w.MULTILOADER_START_STOP_BUTTON.click();
    ASSERT_TRUE(h.fake.loop.runUntil([&] { return w.HEARTBEAT_TIMER.enabled(); }, 5000));
    EXPECT_EQ(w.taskLight(2).background(), colours::green);
    EXPECT_EQ(w.KITT_START_BUTTON.caption(), "STOP KITT");
    EXPECT_TRUE(h.fake.sleepInhibitor.held());
    ASSERT_TRUE(h.fake.loop.runUntil([&] { return w.taskLight(18).background() == colours::green; }, 120000));
    EXPECT_FALSE(w.HEARTBEAT_TIMER.enabled());
    EXPECT_FALSE(h.fake.sleepInhibitor.held());
    EXPECT_EQ(lamps(), ".......");

    // A heartbeat left running to the end does not hold back the power action.
    EXPECT_EQ(w.KITT_START_BUTTON.caption(), "START KITT");  // the run stopped it (issue 25)
    w.KITT_START_BUTTON.click();
    ASSERT_TRUE(h.fake.sleepInhibitor.held());
    w.AUTOTIMER_ACTION_TEXTBOX.setText("HIBERNATE PC");
    h.store("CLOSE_REQUEST_COUNTDOWN_TEXTBOX", "00:00:01");
    h.app->powerAutotimer().showCountdownWindow();
    ms(1000);
    ASSERT_EQ(h.fake.powerSwitch.requested.size(), 1u);
    EXPECT_FALSE(h.fake.sleepInhibitor.held());
}

TEST_F(Heartbeat, WithoutLockKeysOrSystemBusItCarriesOnAndSaysSoOnce) {
    h.fake.lockKeys.isAvailable = false;
    h.fake.sleepInhibitor.noBus = true;
    MainWindow& w = start("00:00:01");
    ms(200);
    for (Label* light : {&w.VERT_NUM_LIGHT_LABEL, &w.VERT_CAPS_LIGHT_LABEL, &w.VERT_SCROLL_LIGHT_LABEL})
        EXPECT_EQ(light->background(), colours::windowBackground) << light->name();
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "READY...");  // start-up says nothing
    w.KITT_START_BUTTON.click();
    // In the Windows program's words: it has no X11 display and no bus.
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(),
              "!!! LOCK KEYS NOT AVAILABLE - NO VISIBLE DESKTOP - SLEEP NOT BLOCKED - WINDOWS REFUSED IT !!!");
    ms(5000);
    EXPECT_EQ(w.HEARTBEAT_COUNTDOWN_DISPLAY_TEXTBOX.text(), "00:00:01");  // still beating
    w.CURRENT_STATUS_LABEL.setCaption("READY...");
    w.KITT_START_BUTTON.click();
    w.KITT_START_BUTTON.click();
    w.VERT_CAPS_LIGHT_LABEL.doubleClick();
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "READY...");  // said once only
}

TEST_F(Heartbeat, SaysWhatHoldsTheComputerAwakeWhenThatChanges) {
    h.fake.sleepInhibitor.names = {{"GNOME SESSION", true}, {"LOGIND", false}};
    MainWindow& w = start("00:00:05");
    w.KITT_START_BUTTON.click();
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "KEEP AWAKE: GNOME SESSION + LOGIND");
    w.KITT_START_BUTTON.click();
    w.CURRENT_STATUS_LABEL.setCaption("READY...");
    w.KITT_START_BUTTON.click();
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "READY...");  // the same again is not said again
    w.KITT_START_BUTTON.click();
    h.fake.sleepInhibitor.names = {{"LOGIND", false}};
    w.KITT_START_BUTTON.click();
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "KEEP AWAKE: LOGIND");
}

// A Wayland session: the lights cannot be read, and the row says so.
TEST_F(Heartbeat, WithoutLockKeysTheLampRowSaysSoAndTheNoticeNamesWhatStillHolds) {
    h.fake.lockKeys.isAvailable = false;
    h.fake.sleepInhibitor.names = {{"GNOME SESSION", true}, {"LOGIND", false}};
    MainWindow& w = start("00:00:05");
    ms(200);
    EXPECT_EQ(w.VERT_NUM_LIGHT_LABEL.caption() + " " + w.VERT_CAPS_LIGHT_LABEL.caption() + " " +
                  w.VERT_SCROLL_LIGHT_LABEL.caption(),
              "NO LOCK KEYS");
    w.KITT_START_BUTTON.click();
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "KEEP AWAKE: GNOME SESSION + LOGIND - NO LOCK KEYS (NO X11 DISPLAY)");
}

TEST_F(Heartbeat, LightsFollowTheKeysAndADoubleClickPressesOne) {
    MainWindow& w = start();
    EXPECT_EQ(w.VERT_NUM_LIGHT_LABEL.caption(), "N");
    EXPECT_EQ(w.VERT_CAPS_LIGHT_LABEL.caption(), "C");
    EXPECT_EQ(w.VERT_SCROLL_LIGHT_LABEL.caption(), "S");
    EXPECT_EQ(w.VERT_CAPS_LIGHT_LABEL.tooltip(), "CAPS LOCK STATUS - DOUBLE-CLICK TO TURN ON / OFF");
    h.fake.lockKeys.on[LockKey::Num] = true;
    ms(100);
    EXPECT_EQ(w.VERT_NUM_LIGHT_LABEL.background(), colours::green);
    EXPECT_EQ(w.VERT_NUM_LIGHT_LABEL.tooltip(), "NUM LOCK = ON");
    EXPECT_EQ(w.VERT_CAPS_LIGHT_LABEL.background(), colours::red);
    EXPECT_EQ(w.VERT_CAPS_LIGHT_LABEL.tooltip(), "CAPS LOCK = OFF");
    w.VERT_SCROLL_LIGHT_LABEL.doubleClick();
    EXPECT_EQ(presses(), std::vector<LockKey>{LockKey::Scroll});
    EXPECT_EQ(w.VERT_SCROLL_LIGHT_LABEL.background(), colours::red);  // follows at the next refresh
    ms(100);
    EXPECT_EQ(w.VERT_SCROLL_LIGHT_LABEL.background(), colours::green);
    EXPECT_EQ(w.VERT_SCROLL_LIGHT_LABEL.tooltip(), "SCROLL LOCK = ON");
}

// Ten refreshes a second: one look at the keyboard each, and a light is
// repainted only when its key changed.
TEST_F(Heartbeat, LightsLookOnceARefreshAndRepaintOnlyWhatChanged) {
    MainWindow& w = start();
    ms(200);
    std::vector<std::string> repainted;
    w.controlObserver = [&](Control& control) {
        if (control.name().find("_LIGHT_LABEL") != std::string::npos) repainted.push_back(control.name());
    };
    const int looksBefore = h.fake.lockKeys.looks;
    ms(1000);
    EXPECT_EQ(h.fake.lockKeys.looks - looksBefore, 10);
    EXPECT_TRUE(repainted.empty());
    h.fake.lockKeys.on[LockKey::Caps] = true;
    ms(1000);
    ASSERT_FALSE(repainted.empty());
    for (const std::string& name : repainted) EXPECT_EQ(name, "VERT_CAPS_LIGHT_LABEL");
    w.controlObserver = nullptr;
}

// Where the system tells of key changes, the lights read the keys once at
// the start and then only when told: an idle window is not woken for them,
// and a change, a double-click's own press included, shows at once.
TEST_F(Heartbeat, LightsThatAreToldOfChangesAskNoMoreUntilTold) {
    h.fake.lockKeys.tellsChanges = true;
    h.fake.lockKeys.on[LockKey::Caps] = true;
    MainWindow& w = start();
    ms(100);
    EXPECT_EQ(w.VERT_CAPS_LIGHT_LABEL.background(), colours::green);
    EXPECT_EQ(w.VERT_NUM_LIGHT_LABEL.background(), colours::red);
    EXPECT_FALSE(w.NCS_TIMER.enabled());
    const int looksBefore = h.fake.lockKeys.looks;
    ms(60000);
    EXPECT_EQ(h.fake.lockKeys.looks, looksBefore);

    h.fake.lockKeys.turn(LockKey::Num, true);
    EXPECT_EQ(w.VERT_NUM_LIGHT_LABEL.background(), colours::green);
    EXPECT_EQ(w.VERT_NUM_LIGHT_LABEL.tooltip(), "NUM LOCK = ON");
    w.VERT_CAPS_LIGHT_LABEL.doubleClick();
    EXPECT_EQ(w.VERT_CAPS_LIGHT_LABEL.background(), colours::red);
    EXPECT_EQ(w.VERT_CAPS_LIGHT_LABEL.tooltip(), "CAPS LOCK = OFF");

    // The heartbeat's pair of presses leaves Num Lock, and its light, as found.
    h.store("HEARTBEAT_COUNTDOWN_TIME_TEXTBOX", "00:00:01");
    w.HEARTBEAT_COUNTDOWN_TIME_TEXTBOX.setText("00:00:01");
    w.KITT_START_BUTTON.click();
    ms(1000 + 750);
    EXPECT_EQ(w.VERT_NUM_LIGHT_LABEL.background(), colours::red);
    ms(750);
    EXPECT_EQ(w.VERT_NUM_LIGHT_LABEL.background(), colours::green);
    EXPECT_FALSE(w.NCS_TIMER.enabled());
}

}  // namespace
}  // namespace syncward::testing
