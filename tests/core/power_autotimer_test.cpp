#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "core/power/power_autotimer.h"
#include "core/power/power_autotimer_settings.h"
#include "core/power/power_autotimer_window.h"
#include "support/app_harness.h"

namespace syncward::testing {
namespace {

class PowerCountdown : public ::testing::Test {
protected:
    PowerAutotimerWindow& show(const std::string& countdownStart, const std::string& action,
                               PlatformProfile profile = PlatformProfile::windows()) {
        h = std::make_unique<AppHarness>(std::move(profile));
        h->store("CLOSE_REQUEST_COUNTDOWN_TEXTBOX", countdownStart);
        h->start();
        h->main().AUTOTIMER_ACTION_TEXTBOX.setText(action);
        h->app->powerAutotimer().showCountdownWindow();
        return h->app->powerAutotimer().countdownWindow();
    }
    void seconds(int n) { h->fake.loop.advance(n * 1000LL); }
    const std::vector<PowerAction>& asked() { return h->fake.powerSwitch.requested; }

    std::unique_ptr<AppHarness> h;
};

TEST_F(PowerCountdown, CountsDownToZeroAsksForTheActionAndClosesOnceTheSystemTakesIt) {
    PowerAutotimerWindow& win = show("00:00:10", "RESTART PC");
    ASSERT_EQ(h->fake.windows.shown.back(), std::make_pair(static_cast<Form*>(&win), false));  // beside the main window
    EXPECT_EQ(win.caption(), "SYNCWARD - POWER AUTOTIMER");
    EXPECT_EQ(win.AUTOTIMER_TITLE_LABEL.caption(), "!!! AUTOSTARTING !!!");
    EXPECT_EQ(win.AUTOTIMER_ACTION_TEXTBOX.text(), "RESTART PC");
    EXPECT_EQ(win.START_STOP_BUTTON.caption(), "START");

    seconds(1);
    EXPECT_EQ(win.CLOSE_REQUEST_COUNTDOWN_TEXTBOX.text(), "00:00:09");
    EXPECT_EQ(win.START_STOP_BUTTON.caption(), "STOP");
    EXPECT_EQ(win.AUTOTIMER_TITLE_LABEL.caption(), "!!! AUTOTIMER RUNNING !!!");
    seconds(8);
    EXPECT_EQ(win.CLOSE_REQUEST_COUNTDOWN_TEXTBOX.text(), "00:00:01");
    EXPECT_TRUE(asked().empty());

    // Asked, and open until the system answers: a slow answer is no yes.
    h->fake.powerSwitch.holdAnswer = true;
    seconds(1);
    EXPECT_EQ(win.CLOSE_REQUEST_COUNTDOWN_TEXTBOX.text(), "--:--:--");
    EXPECT_EQ(win.AUTOTIMER_TITLE_LABEL.caption(), "!!! RESTARTING !!!");
    EXPECT_EQ(asked(), std::vector<PowerAction>{PowerAction::Restart});
    seconds(30);
    EXPECT_TRUE(win.isOpen());
    EXPECT_EQ(asked().size(), 1u);
    EXPECT_FALSE(h->fake.sleepInhibitor.held());  // our own lock would hold back a hibernate

    h->fake.powerSwitch.answerNow();
    seconds(1);
    EXPECT_FALSE(win.isOpen());
    EXPECT_EQ(h->stored("AUTOTIMER_Left"), "1000");
    seconds(3600);
    EXPECT_EQ(asked().size(), 1u);
}

TEST_F(PowerCountdown, ARefusalKeepsTheWindowOpenAndSaysWhy) {
    PowerAutotimerWindow& win = show("00:00:02", "SHUTDOWN PC", PlatformProfile::posix("/home/satoshi"));
    h->fake.powerSwitch.answer = {false, "LOGIN MANAGER", "NOT ALLOWED OUTSIDE A DESKTOP SESSION"};
    seconds(3);
    EXPECT_TRUE(win.isOpen());
    EXPECT_EQ(win.AUTOTIMER_TITLE_LABEL.caption(), "!!! SHUTDOWN PC REFUSED: NOT ALLOWED OUTSIDE A DESKTOP SESSION !!!");
    EXPECT_FALSE(win.AUTOTIMER_COUNTER.enabled());
    EXPECT_EQ(win.START_STOP_BUTTON.caption(), "START");
    EXPECT_FALSE(win.CLOSE_REQUEST_COUNTDOWN_TEXTBOX.locked());
    // No run ended with it (the countdown was shown by hand): the status
    // says it, and no stored outcome changes.
    EXPECT_EQ(h->main().CURRENT_STATUS_LABEL.caption(),
              "!!! POWER AUTOTIMER - SHUTDOWN PC - REFUSED BY THE SYSTEM (NOT ALLOWED OUTSIDE A DESKTOP SESSION) !!!");
    EXPECT_EQ(h->stored("MULTILOADER_LAST_RUN_TEXTBOX"), std::nullopt);
    EXPECT_EQ(asked().size(), 1u);
}

// An answer that comes after the window was closed (the user gave up
// waiting) changes nothing.
TEST_F(PowerCountdown, AnAnswerToAWindowClosedMeanwhileIsLeftAlone) {
    PowerAutotimerWindow& win = show("00:00:01", "HIBERNATE PC");
    h->fake.powerSwitch.holdAnswer = true;
    h->fake.powerSwitch.answer = {false, "shutdown", "NOT SUPPORTED BY THIS COMPUTER"};
    seconds(1);
    win.close();
    h->fake.powerSwitch.answerNow();
    seconds(1);
    EXPECT_FALSE(win.isOpen());
    EXPECT_EQ(win.AUTOTIMER_TITLE_LABEL.caption(), "!!! HIBERNATING !!!");
    EXPECT_EQ(h->main().CURRENT_STATUS_LABEL.caption().find("REFUSED"), std::string::npos);
}

// The program does not end itself after a power action: power off, restart
// and log off take it with the session; after a hibernation it is found
// open, and the manual page tells that rather than "a power action ends
// the program".
TEST_F(PowerCountdown, AfterTheActionTheProgramStaysOpenAsTheManualPageSays) {
    show("00:00:01", "HIBERNATE PC", PlatformProfile::posix("/home/satoshi"));
    seconds(1);
    ASSERT_EQ(asked(), std::vector<PowerAction>{PowerAction::Hibernate});
    seconds(60);
    EXPECT_TRUE(h->main().isOpen());

    std::ifstream in(std::string(SYNCWARD_SOURCE_DIR) + "/../data/syncward.1.in");
    const std::string page((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(page.empty());
    EXPECT_EQ(page.find("A power action ends the program"), std::string::npos);
    EXPECT_NE(page.find("Hibernation does not: the program is still open when the computer wakes"),
              std::string::npos);
}

TEST_F(PowerCountdown, WithoutAKnownActionZeroPassesAndTheCountGoesOn) {
    PowerAutotimerWindow& win = show("00:00:02", "!!! NO ACTION SET !!!");
    seconds(2);
    EXPECT_EQ(win.CLOSE_REQUEST_COUNTDOWN_TEXTBOX.text(), "--:--:--");
    seconds(1);
    EXPECT_EQ(win.CLOSE_REQUEST_COUNTDOWN_TEXTBOX.text(), "00:00:01");
    seconds(59);
    EXPECT_EQ(win.CLOSE_REQUEST_COUNTDOWN_TEXTBOX.text(), "00:01:00");
    EXPECT_EQ(win.POWER_REMAINING, -60);
    EXPECT_TRUE(win.isOpen());
    EXPECT_TRUE(win.AUTOTIMER_COUNTER.enabled());
    EXPECT_TRUE(asked().empty());
}

TEST_F(PowerCountdown, AStartOfZeroCountsPastZeroAndActsADayLater) {
    PowerAutotimerWindow& win = show("00:00:00", "SHUTDOWN PC");
    seconds(1);
    EXPECT_EQ(win.CLOSE_REQUEST_COUNTDOWN_TEXTBOX.text(), "00:00:01");
    seconds(86398);
    EXPECT_EQ(win.CLOSE_REQUEST_COUNTDOWN_TEXTBOX.text(), "23:59:59");
    EXPECT_TRUE(asked().empty());
    seconds(1);
    EXPECT_EQ(asked(), std::vector<PowerAction>{PowerAction::Shutdown});
}

TEST_F(PowerCountdown, StopTypeAndStartCountsFromTheTypedTime) {
    PowerAutotimerWindow& win = show("00:10:00", "HIBERNATE PC");
    seconds(5);
    win.START_STOP_BUTTON.click();
    EXPECT_EQ(win.START_STOP_BUTTON.caption(), "START");
    EXPECT_EQ(win.AUTOTIMER_TITLE_LABEL.caption(), "!!! COUNTDOWN STOPPED !!!");
    EXPECT_FALSE(win.CLOSE_REQUEST_COUNTDOWN_TEXTBOX.locked());
    seconds(30);
    EXPECT_EQ(win.CLOSE_REQUEST_COUNTDOWN_TEXTBOX.text(), "00:09:55");

    win.CLOSE_REQUEST_COUNTDOWN_TEXTBOX.setText("00:01:00");
    win.START_STOP_BUTTON.click();
    EXPECT_EQ(win.START_STOP_BUTTON.caption(), "STOP");
    EXPECT_EQ(win.AUTOTIMER_TITLE_LABEL.caption(), "!!! COUNTDOWN STARTED !!!");
    EXPECT_TRUE(win.CLOSE_REQUEST_COUNTDOWN_TEXTBOX.locked());
    seconds(1);
    EXPECT_EQ(win.CLOSE_REQUEST_COUNTDOWN_TEXTBOX.text(), "00:00:59");
    seconds(59);
    EXPECT_EQ(asked(), std::vector<PowerAction>{PowerAction::Hibernate});
}

TEST_F(PowerCountdown, ATypedTextThatIsNoTimeDoesNotStartAndSaysSo) {
    PowerAutotimerWindow& win = show("00:00:30", "SHUTDOWN PC");
    seconds(1);
    win.START_STOP_BUTTON.click();
    for (const char* typed : {"1 minute", "24:00:00", "--:--:--", ""}) {
        win.CLOSE_REQUEST_COUNTDOWN_TEXTBOX.setText(typed);
        win.START_STOP_BUTTON.click();
        EXPECT_EQ(win.AUTOTIMER_TITLE_LABEL.caption(), "!!! INVALID COUNTDOWN - USE HH:MM:SS !!!") << typed;
        EXPECT_EQ(win.START_STOP_BUTTON.caption(), "START");
        EXPECT_FALSE(win.AUTOTIMER_COUNTER.enabled());
        EXPECT_FALSE(win.CLOSE_REQUEST_COUNTDOWN_TEXTBOX.locked());
    }
    seconds(3600);
    EXPECT_TRUE(asked().empty());
}

TEST_F(PowerCountdown, AGarbledStoredStartFallsBackToZero) {
    PowerAutotimerWindow& win = show("soon", "!!! NO ACTION SET !!!");
    EXPECT_EQ(win.CLOSE_REQUEST_COUNTDOWN_TEXTBOX.text(), "00:00:00");
    EXPECT_EQ(win.POWER_REMAINING, 0);
}

TEST_F(PowerCountdown, ClosingTheWindowEndsTheCountdownAndStoresOnlyItsPlace) {
    PowerAutotimerWindow& win = show("00:00:05", "SHUTDOWN PC");
    win.setPosition(2000, 3000);
    h->fake.store.clearLog();
    win.close();
    EXPECT_EQ(h->fake.store.savedKeys("BTC1"), (std::vector<std::string>{"AUTOTIMER_Left", "AUTOTIMER_Top"}));
    seconds(3600);
    EXPECT_TRUE(asked().empty());

    // Shown again, it loads anew at its stored place; while open, showing it
    // again does not restart the countdown.
    h->app->powerAutotimer().showCountdownWindow();
    EXPECT_EQ(win.placement().left, 2000);
    EXPECT_EQ(win.placement().height, 3210);
    seconds(2);
    h->app->powerAutotimer().showCountdownWindow();
    EXPECT_EQ(win.CLOSE_REQUEST_COUNTDOWN_TEXTBOX.text(), "00:00:03");
}

class PowerSettings : public ::testing::Test {
protected:
    PowerAutotimerSettings& open() {
        if (!h.app) h.start();
        h.app->powerAutotimer().openSettingsWindow(h.main());
        return h.app->powerAutotimer().settingsWindow();
    }
    AppHarness h;
};

TEST_F(PowerSettings, OneActionAtMostAndAClickStoresItAtOnce) {
    PowerAutotimerSettings& s = open();
    ASSERT_EQ(h.fake.windows.shown.back(), std::make_pair(static_cast<Form*>(&s), true));
    EXPECT_EQ(s.caption(), "SYNCWARD - POWER AUTOTIMER SETTINGS");
    EXPECT_EQ(s.AUTOTIMER_ACTION_TEXTBOX.text(), "");
    EXPECT_EQ(s.CLOSE_REQUEST_COUNTDOWN_TEXTBOX.text(), "00:00:00");

    s.HIBERNATE_TICKBOX.setValue(1);
    for (TickBox* other : {&s.SHUTDOWN_TICKBOX, &s.RESTART_TICKBOX, &s.LOGOFF_TICKBOX}) {
        EXPECT_FALSE(other->enabled()) << other->name();
        EXPECT_FALSE(other->ticked()) << other->name();
    }
    EXPECT_EQ(s.AUTOTIMER_ACTION_TEXTBOX.text(), "HIBERNATE PC");
    EXPECT_EQ(h.main().AUTOTIMER_ACTION_TEXTBOX.text(), "HIBERNATE PC");
    EXPECT_EQ(h.stored("AUTOTIMER_ACTION_TEXTBOX"), "HIBERNATE PC");

    s.HIBERNATE_TICKBOX.setValue(0);
    for (TickBox* box : s.actionTickBoxes()) EXPECT_TRUE(box->enabled()) << box->name();
    EXPECT_EQ(s.AUTOTIMER_ACTION_TEXTBOX.text(), "");
    EXPECT_EQ(h.main().AUTOTIMER_ACTION_TEXTBOX.text(), "");
    EXPECT_EQ(h.stored("AUTOTIMER_ACTION_TEXTBOX"), "");
}

TEST_F(PowerSettings, OpensWithTheStoredActionTickedAndTheOthersDisabled) {
    h.store("AUTOTIMER_ACTION_TEXTBOX", "LOGOFF CURRENT USER");
    h.store("CLOSE_REQUEST_COUNTDOWN_TEXTBOX", "00:02:30");
    PowerAutotimerSettings& s = open();
    EXPECT_TRUE(s.LOGOFF_TICKBOX.ticked());
    EXPECT_TRUE(s.LOGOFF_TICKBOX.enabled());
    for (TickBox* other : {&s.SHUTDOWN_TICKBOX, &s.RESTART_TICKBOX, &s.HIBERNATE_TICKBOX})
        EXPECT_FALSE(other->enabled()) << other->name();
    EXPECT_EQ(s.CLOSE_REQUEST_COUNTDOWN_TEXTBOX.text(), "00:02:30");
    EXPECT_EQ(h.main().AUTOTIMER_ACTION_TEXTBOX.text(), "LOGOFF CURRENT USER");

    // Opened again after the stored action was cleared elsewhere, it starts
    // fresh, and clearing its ticks on load stores nothing.
    s.close();
    h.store("AUTOTIMER_ACTION_TEXTBOX", "");
    h.fake.store.clearLog();
    open();
    for (TickBox* box : s.actionTickBoxes()) {
        EXPECT_FALSE(box->ticked()) << box->name();
        EXPECT_TRUE(box->enabled()) << box->name();
    }
    EXPECT_TRUE(h.fake.store.savedKeys("BTC1").empty());
}

TEST_F(PowerSettings, OkStoresPlaceActionAndStartInOrderAndCopiesTheStart) {
    PowerAutotimerSettings& s = open();
    s.RESTART_TICKBOX.setValue(1);
    s.CLOSE_REQUEST_COUNTDOWN_TEXTBOX.setText("00:05:00");
    s.setPosition(1440, 2880);
    h.fake.store.clearLog();
    s.OK_BUTTON.click();
    EXPECT_EQ(h.fake.store.savedKeys("BTC1"),
              (std::vector<std::string>{"POWER_AUTOTIMER_SETTINGS-Left", "POWER_AUTOTIMER_SETTINGS-Top",
                                        "AUTOTIMER_ACTION_TEXTBOX", "CLOSE_REQUEST_COUNTDOWN_TEXTBOX"}));
    EXPECT_EQ(h.stored("CLOSE_REQUEST_COUNTDOWN_TEXTBOX"), "00:05:00");
    EXPECT_EQ(h.stored("POWER_AUTOTIMER_SETTINGS-Left"), "1440");
    EXPECT_EQ(h.main().CLOSE_REQUEST_COUNTDOWN_TEXTBOX.text(), "00:05:00");
    EXPECT_FALSE(s.isOpen());

    // The close box stores the place only.
    open();
    s.CLOSE_REQUEST_COUNTDOWN_TEXTBOX.setText("00:09:00");
    h.fake.store.clearLog();
    s.close();
    EXPECT_EQ(h.fake.store.savedKeys("BTC1"),
              (std::vector<std::string>{"POWER_AUTOTIMER_SETTINGS-Left", "POWER_AUTOTIMER_SETTINGS-Top"}));
}

TEST_F(PowerSettings, OkWithAStartThatIsNoTimeStoresNothingAndStaysOpen) {
    PowerAutotimerSettings& s = open();
    s.CLOSE_REQUEST_COUNTDOWN_TEXTBOX.setText("5 min");
    h.fake.store.clearLog();
    s.OK_BUTTON.click();
    EXPECT_TRUE(s.isOpen());
    EXPECT_EQ(s.AUTOTIMER_SETTINGS_STATUS_LABEL.caption(), "!!! COUNTDOWN START MUST BE HH:MM:SS !!!");
    EXPECT_TRUE(h.fake.store.savedKeys("BTC1").empty());
    EXPECT_EQ(h.main().CLOSE_REQUEST_COUNTDOWN_TEXTBOX.text(), "");
}

// A corrected start takes OK's refusal away; a start typed while the label
// holds any other text leaves that text alone.
TEST_F(PowerSettings, ACorrectedStartClearsOnlyTheRefusalOkShowed) {
    PowerAutotimerSettings& s = open();
    s.AUTOTIMER_SETTINGS_STATUS_LABEL.setCaption("ANOTHER WORD");
    s.CLOSE_REQUEST_COUNTDOWN_TEXTBOX.setText("00:04:00");
    EXPECT_EQ(s.AUTOTIMER_SETTINGS_STATUS_LABEL.caption(), "ANOTHER WORD");

    s.CLOSE_REQUEST_COUNTDOWN_TEXTBOX.setText("5 min");
    s.OK_BUTTON.click();
    EXPECT_EQ(s.AUTOTIMER_SETTINGS_STATUS_LABEL.caption(), "!!! COUNTDOWN START MUST BE HH:MM:SS !!!");
    s.CLOSE_REQUEST_COUNTDOWN_TEXTBOX.setText("00:05");
    EXPECT_EQ(s.AUTOTIMER_SETTINGS_STATUS_LABEL.caption(), "!!! COUNTDOWN START MUST BE HH:MM:SS !!!");
    s.CLOSE_REQUEST_COUNTDOWN_TEXTBOX.setText("00:05:00");
    EXPECT_EQ(s.AUTOTIMER_SETTINGS_STATUS_LABEL.caption(), "");

    // Taken away once: a later text is not the refusal.
    s.AUTOTIMER_SETTINGS_STATUS_LABEL.setCaption("ANOTHER WORD");
    s.CLOSE_REQUEST_COUNTDOWN_TEXTBOX.setText("00:06:00");
    EXPECT_EQ(s.AUTOTIMER_SETTINGS_STATUS_LABEL.caption(), "ANOTHER WORD");
}

}  // namespace
}  // namespace syncward::testing
