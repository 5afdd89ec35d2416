#include <gtest/gtest.h>

#include "core/info/about_window.h"
#include "core/info/box_info_window.h"
#include "core/info/dedications_window.h"
#include "core/info/donations_window.h"
#include "core/info/help_window.h"
#include "core/info/info_windows.h"
#include "support/app_harness.h"

namespace syncward::testing {
namespace {

const std::vector<Colour> cycleColours = {colours::green, colours::red, colours::cyan, colours::magenta,
                                          colours::yellow};

class InfoWindowsTest : public ::testing::Test {
protected:
    explicit InfoWindowsTest(PlatformProfile profile = PlatformProfile::windows()) : h(std::move(profile)) {
        h.start();
    }
    InfoWindows& info() { return h.app->infoWindows(); }
    // The colour after each of the next n steps of 200 ms.
    template <typename Read>
    std::vector<Colour> steps(int n, Read read) {
        std::vector<Colour> seen;
        for (int i = 0; i < n; ++i) {
            h.fake.loop.advance(200);
            seen.push_back(read());
        }
        return seen;
    }
    bool anyRunning(Form& form) {
        for (Timer* t : form.timers())
            if (t->enabled()) return true;
        return false;
    }

    AppHarness h;
};

TEST_F(InfoWindowsTest, TheAboutBoxCyclesFromGreenThroughFiveColoursAndStopsWhenClosed) {
    h.main().ABOUT_BUTTON.click();
    AboutWindow& about = info().about();
    ASSERT_EQ(h.fake.windows.shown.back(), std::make_pair(static_cast<Form*>(&about), true));
    EXPECT_EQ(about.caption(), "SYNCWARD - ABOUT");
    EXPECT_TRUE(about.DONATION_BUTTON_1_TIMER.enabled());
    for (Timer* t : {&about.DONATION_BUTTON_2_TIMER, &about.DONATION_BUTTON_3_TIMER, &about.DONATION_BUTTON_4_TIMER,
                     &about.DONATION_BUTTON_5_TIMER})
        EXPECT_FALSE(t->enabled()) << t->name();
    const auto back = [&] { return about.DONATIONS_BACK_TEXTBOX.background(); };
    EXPECT_EQ(steps(5, back), cycleColours) << "one second passes all five colours";
    EXPECT_EQ(steps(5, back), cycleColours) << "and starts again";

    h.fake.loop.advance(400);
    about.OK_BUTTON.click();
    EXPECT_FALSE(anyRunning(about)) << "a closed window's colours stop";
    const Colour left = back();
    h.fake.loop.advance(2000);
    EXPECT_EQ(back(), left);

    h.main().ABOUT_BUTTON.click();
    EXPECT_EQ(steps(1, back), std::vector<Colour>{colours::green}) << "every open starts at green";
}

TEST_F(InfoWindowsTest, AboutOpensDedicationsAndDonationsOverItself) {
    h.main().ABOUT_BUTTON.click();
    AboutWindow& about = info().about();
    about.DEDICATIONS_BUTTON.click();
    DedicationsWindow& dedications = info().dedications();
    EXPECT_EQ(h.fake.windows.shown.back(), std::make_pair(static_cast<Form*>(&dedications), true));
    EXPECT_EQ(dedications.caption(), "SYNCWARD - DEDICATIONS");
    EXPECT_NE(dedications.DEDICATIONS_TEXTBOX.text().find("!!! SendEmail.exe - AWESOME !!!"), std::string::npos);
    EXPECT_NE(dedications.DEDICATIONS_TEXTBOX.text().find("K.I.T.T. - KITT \"Num-Lock\" HeartBeat"), std::string::npos);
    dedications.OK_BUTTON.click();

    about.DONATIONS_BUTTON.click();
    DonationsWindow& donations = info().donations();
    EXPECT_EQ(h.fake.windows.shown.back(), std::make_pair(static_cast<Form*>(&donations), true));
    EXPECT_EQ(donations.caption(), "!!! DONATIONS ALWAYS APPRECIATED - Mirvolk - Quorvel !!! :)");
    EXPECT_TRUE(about.isOpen());

    // The maker's details are placeholders, never an address one could use.
    for (const auto& address : donations.addresses()) {
        EXPECT_NE(address.box->text().find("TO BE ANNOUNCED"), std::string::npos) << address.coin;
        EXPECT_EQ(address.box->tooltip(), "!!! DOUBLE-CLICK = COPY TO CLIPBOARD !!!");
    }
    const std::string creator = about.CREATOR_LABEL.caption();
    about.CREATOR_LABEL.doubleClick();
    EXPECT_NE(about.CREATOR_LABEL.caption(), creator);
    EXPECT_NE(about.CREATOR_LABEL.caption().find("CONTACT"), std::string::npos);
    donations.CREATOR_LABEL.doubleClick();
    EXPECT_EQ(donations.CREATOR_LABEL.caption(), about.CREATOR_LABEL.caption());
}

TEST_F(InfoWindowsTest, DoubleClickingTheThanksHoldsItBlackAndAgainRestartsAtGreen) {
    h.main().ABOUT_BUTTON.click();
    info().about().DONATIONS_BUTTON.click();
    DonationsWindow& win = info().donations();
    TextBox& message = win.THANKS_DONATIONS_MESSAGE_TEXTBOX;
    const auto text = [&] { return message.foreground(); };
    EXPECT_EQ(steps(5, text), cycleColours);
    h.fake.loop.advance(400);  // on cyan

    message.doubleClick();
    EXPECT_EQ(message.foreground(), colours::black);
    EXPECT_FALSE(anyRunning(win));
    h.fake.loop.advance(1000);
    EXPECT_EQ(message.foreground(), colours::black);

    message.doubleClick();
    EXPECT_EQ(steps(6, text), (std::vector<Colour>{colours::green, colours::red, colours::cyan, colours::magenta,
                                                   colours::yellow, colours::green}));

    win.OK_BUTTON.click();
    EXPECT_FALSE(anyRunning(win)) << "closing stops the cycle";
}

TEST_F(InfoWindowsTest, DoubleClickingAnAddressCopiesItAndMarksItUntilItLosesTheFocus) {
    h.main().ABOUT_BUTTON.click();
    info().about().DONATIONS_BUTTON.click();
    DonationsWindow& win = info().donations();
    TextBox& ltc = win.LTC_DONATION_ADDRESS_TEXTBOX;
    ltc.doubleClick();
    EXPECT_EQ(ltc.background(), colours::pink);
    EXPECT_EQ(ltc.foreground(), colours::black);
    EXPECT_EQ(h.fake.clipboard.copied, std::vector<std::string>{ltc.text()});
    EXPECT_TRUE(ltc.locked()) << "an address is never edited";
    win.addressLeft(ltc);
    EXPECT_EQ(ltc.background(), DonationsWindow::lightYellow);
    EXPECT_EQ(ltc.foreground(), colours::black);
}

TEST_F(InfoWindowsTest, HelpShowsWhereThisCopysSettingsLiveAndTheNotesVerbatim) {
    h.main().HELP_BUTTON.click();
    HelpWindow& help = info().help();
    EXPECT_EQ(help.caption(), "SYNCWARD - BASIC HELP");
    EXPECT_EQ(help.REGISTRY_LOCATION_LABEL.caption(), "REGISTRY SETTINGS LOCATION:");
    EXPECT_EQ(help.REGISTRY_LOCATION_TEXTBOX.text(), "MEMORY\\QV_SYNCWARD\\BTC1");
    EXPECT_EQ(help.HELP_NOTE_1_LABEL.caption(),
              "FOR MULTIPLE CONFIGURATIONS, COPY \".exe\" FILE TO A NEW FILENAME, RUN, AND CONFIGURE");
    EXPECT_EQ(help.HELP_NOTE_2_LABEL.caption(),
              "ALL SYNCWARD \".exe\" FILES CAN BE SAVED IN THE SAME \"SYNCWARD\" FOLDER AND USE THE SAME FOLDERS "
              "CREATED  BY THE FIRST FULLY CONFIGURED SYNCWARD APP.");
    EXPECT_EQ(help.HELP_NOTE_5_LABEL.caption(),
              "USE \"QV-TEST-PROCESS\" IF YOU WANT TO EMULATE A PROCESS RUNNING WITHOUT ACTUALLY RUNNING THE REAL "
              "PROCESS / APP.");
}

TEST_F(InfoWindowsTest, BoxInfoShowsTheComputerAndUserNamesEvenWhenOneIsUnset) {
    h.fake.environment.user = "";
    h.main().BOX_INFO_BUTTON.click();
    BoxInfoWindow& box = info().boxInfo();
    EXPECT_EQ(box.caption(), "SYNCWARD - BOX INFO");
    EXPECT_EQ(box.PC_NAME_TEXTBOX.text(), "PC NAME = NODEBOX");
    EXPECT_EQ(box.USERNAME_TEXTBOX.text(), "USERNAME = ");
    box.OK_BUTTON.click();
    h.fake.environment.user = "satoshi";
    h.main().BOX_INFO_BUTTON.click();
    EXPECT_EQ(box.USERNAME_TEXTBOX.text(), "USERNAME = satoshi") << "read again on every open";
}

TEST_F(InfoWindowsTest, EachWindowOpensAtItsStoredPlaceWithItsDefaultSizeAndStoresItsPlaceOnClose) {
    struct Case {
        std::function<void()> open;
        std::function<Form&()> form;
        std::string prefix;
        int width, height;
    } cases[] = {
        {[&] { info().openAbout(); }, [&]() -> Form& { return info().about(); }, "ABOUT-", 9930, 6450},
        {[&] { info().openDedications(); }, [&]() -> Form& { return info().dedications(); }, "DEDICATIONS_WINDOW-", 15720, 7650},
        {[&] { info().openDonations(); }, [&]() -> Form& { return info().donations(); }, "DONATIONS_WINDOW-", 8880, 6330},
        {[&] { info().openHelp(); }, [&]() -> Form& { return info().help(); }, "HELP_WINDOW-", 12480, 5550},
        {[&] { info().openBoxInfo(); }, [&]() -> Form& { return info().boxInfo(); }, "BOX_INFO-", 4800, 2880},
    };
    for (const Case& c : cases) {
        h.store(c.prefix + "Top", "2222");
        c.open();
        Form& form = c.form();
        EXPECT_EQ(form.placement().left, 1000) << c.prefix;
        EXPECT_EQ(form.placement().top, 2222) << c.prefix;
        EXPECT_EQ(form.placement().width, c.width) << c.prefix;
        EXPECT_EQ(form.placement().height, c.height) << c.prefix;
        form.setPosition(1234, 4321);
        form.close();  // the close box; OK comes the same way
        EXPECT_EQ(h.stored(c.prefix + "Left"), "1234") << c.prefix;
        EXPECT_EQ(h.stored(c.prefix + "Top"), "4321") << c.prefix;
        EXPECT_FALSE(h.stored(c.prefix + "Width")) << c.prefix;
    }
}

class PosixInfoWindows : public InfoWindowsTest {
protected:
    PosixInfoWindows() : InfoWindowsTest(PlatformProfile::posix("/home/satoshi")) {}
};

TEST_F(PosixInfoWindows, TextsNameThePosixThingsNotWindowsOnes) {
    info().openHelp();
    HelpWindow& help = info().help();
    EXPECT_EQ(help.REGISTRY_LOCATION_LABEL.caption(), "SETTINGS FILE LOCATION [GROUP]:");
    for (Label* note : help.notes()) {
        EXPECT_EQ(note->caption().find(".exe"), std::string::npos) << note->caption();
        EXPECT_EQ(note->caption().find("WINDOWS"), std::string::npos) << note->caption();
        EXPECT_EQ(note->caption().find("REGISTRY"), std::string::npos) << note->caption();
    }
    EXPECT_NE(help.HELP_NOTE_2_LABEL.caption().find("CREATED  BY THE FIRST"), std::string::npos);
    info().openDedications();
    EXPECT_NE(info().dedications().DEDICATIONS_TEXTBOX.text().find("!!! sendemail - AWESOME !!!"), std::string::npos);
}

}  // namespace
}  // namespace syncward::testing
