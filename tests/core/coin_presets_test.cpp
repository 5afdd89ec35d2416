#include <gtest/gtest.h>

#include <regex>

#include "confgen_harness.h"
#include "core/confgen/block_times_window.h"
#include "core/confgen/coin_presets.h"
#include "core/confgen/coin_presets_window.h"

namespace syncward::testing {
namespace {

struct PresetsHarness : ConfGenHarness {
    using ConfGenHarness::ConfGenHarness;
    CoinPresetsWindow& openPresets() {
        open().IDS_BUTTON.click();
        return windows().presets();
    }
};

std::vector<std::string> linesOf(const std::string& text, const std::string& end) {
    std::vector<std::string> lines;
    for (std::size_t at = 0, next; (next = text.find(end, at)) != std::string::npos; at = next + end.size())
        lines.push_back(text.substr(at, next - at));
    return lines;
}

TEST(CoinPresets, EachCoinWritesExactlyItsRowAndDisarmsTheButtons) {
    struct Row {
        const char* coin;
        const char* name;
        const char* peer;
        const char* rpc;
    };
    const Row rows[] = {{"BTC", "BTC - Bitcoin", "8333", "8332"},  {"NMC", "NMC - Namecoin", "8334", "8336"},
                        {"LTC", "LTC - Litecoin", "9333", "9332"}, {"DASH", "DASH - Dash", "9999", "9998"},
                        {"VTC", "VTC - Vertcoin", "5889", "5888"}, {"BTG", "BTG - BitcoinGold", "8338", "8332"}};
    for (std::size_t n = 0; n < std::size(rows); ++n) {
        PresetsHarness h;
        CoinPresetsWindow& p = h.openPresets();
        ConfGeneratorWindow& g = h.windows().generator();
        ASSERT_EQ(h.fake.windows.shown.back(), std::make_pair(static_cast<Form*>(&p), true));
        g.WALLET_FILE_TEXTBOX.setText("mine.dat");
        g.FULL_NODE_LIST_TEXTBOX.setText("addnode=198.51.100.1\r\n");
        Button* button = p.coinButtons()[n];
        EXPECT_FALSE(button->enabled()) << rows[n].coin;
        p.IMPORT_SETTINGS_TICKBOX.setValue(1);
        EXPECT_TRUE(button->enabled());
        EXPECT_EQ(button->caption(), rows[n].coin);
        button->click();

        EXPECT_EQ(g.CRYPTO_NAME_TEXTBOX.text(), rows[n].name);
        EXPECT_EQ(g.PEER_PORT_TEXTBOX.text(), rows[n].peer);
        EXPECT_EQ(g.RPC_PORT_TEXTBOX.text(), rows[n].rpc);
        EXPECT_EQ(g.FULL_NODE_LIST_TEXTBOX.text(), n == 4 ? g.VTC_NODE_LIST_TEXTBOX.text() : "");
        EXPECT_EQ(g.WALLET_FILE_TEXTBOX.text(), "mine.dat");  // outside the row
        EXPECT_EQ(g.OLD_WALLET_SUPPORT_TICKBOX.ticked(), n == 1);
        EXPECT_EQ(g.DAEMON_TICKBOX.ticked(), n == 1);
        EXPECT_EQ(g.DAEMON_TICKBOX.enabled(), n == 1);
        EXPECT_FALSE(p.IMPORT_SETTINGS_TICKBOX.ticked());
        EXPECT_FALSE(p.BASIC_SETTINGS_BUTTON.enabled());
        for (Button* other : p.coinButtons()) EXPECT_FALSE(other->enabled());
        EXPECT_EQ(p.CANCEL_BUTTON.caption(), "Close");
        EXPECT_FALSE(h.stored("CRYPTO_NAME_TEXTBOX").has_value());
    }
}

TEST(CoinPresets, NamecoinThenBitcoinKeepsTheOldWalletTicksAndBasicSettingsStayArmed) {
    PresetsHarness h;
    CoinPresetsWindow& p = h.openPresets();
    ConfGeneratorWindow& g = h.windows().generator();
    EXPECT_EQ(p.caption(), "SYNCWARD - CONF-GENERATOR - IMPORT DEFAULT SETTINGS");
    EXPECT_EQ(p.BTC_BTG_RPC_NOTE_TEXTBOX.text(),
              "!!! BTG USES THE SAME RPC PORT AS BTC !!!\r\n!!! CHANGE THE RPC PORT IF RUNNING AT THE SAME TIME !!!\r\n");
    p.IMPORT_SETTINGS_TICKBOX.setValue(1);
    p.coinButton("NMC").click();
    h.tick();
    EXPECT_NE(g.CONF_OUTPUT_TEXTBOX.text().find("\r\ndaemon=1\r\n"), std::string::npos);
    p.IMPORT_SETTINGS_TICKBOX.setValue(1);
    p.coinButton("BTC").click();
    EXPECT_TRUE(g.OLD_WALLET_SUPPORT_TICKBOX.ticked());
    EXPECT_TRUE(g.DAEMON_TICKBOX.ticked());

    p.IMPORT_SETTINGS_TICKBOX.setValue(1);
    g.UACOMMENT_TEXTBOX.setText("NO2X");
    g.PEER_PORT_TEXTBOX.setText("1");
    p.BASIC_SETTINGS_BUTTON.click();
    EXPECT_TRUE(p.IMPORT_SETTINGS_TICKBOX.ticked());
    EXPECT_FALSE(g.OLD_WALLET_SUPPORT_TICKBOX.ticked());
    EXPECT_FALSE(g.DAEMON_TICKBOX.ticked());
    EXPECT_FALSE(g.DAEMON_TICKBOX.enabled());
    EXPECT_EQ(g.UACOMMENT_TEXTBOX.text(), "");
    EXPECT_EQ(g.PEER_PORT_TEXTBOX.text(), "1");  // not in the basic table
    EXPECT_EQ(p.CANCEL_BUTTON.caption(), "Close");

    // Each opening starts disarmed, with "Cancel", at its own place.
    p.setPosition(1500, 1600);
    p.CANCEL_BUTTON.click();
    EXPECT_EQ(h.stored("IDS-Left"), "1500");
    EXPECT_EQ(h.stored("IDS-Top"), "1600");
    g.IDS_BUTTON.click();
    EXPECT_FALSE(p.IMPORT_SETTINGS_TICKBOX.ticked());
    EXPECT_FALSE(p.BASIC_SETTINGS_BUTTON.enabled());
    EXPECT_EQ(p.CANCEL_BUTTON.caption(), "Cancel");
    EXPECT_EQ(p.placement().left, 1500);
    EXPECT_EQ(p.placement().width, 6870);
    EXPECT_EQ(p.placement().height, 3180);
}

TEST(CoinPresets, TheVertcoinListHasTheRequiredFormAndOnlyDocumentationAddresses) {
    for (const std::string end : {"\r\n", "\n"}) {
        const std::string list = vertcoinNodeList(end);
        EXPECT_TRUE(list.ends_with(end));
        const std::vector<std::string> lines = linesOf(list, end);
        ASSERT_EQ(lines.size(), 66u);
        static const std::regex form(
            R"(addnode=(192\.0\.2|198\.51\.100|203\.0\.113)\.(\d{1,3})(:(\d+))?)");
        int coinPort = 0, otherPort = 0, noPort = 0;
        for (const std::string& line : lines) {
            std::smatch m;
            ASSERT_TRUE(std::regex_match(line, m, form)) << line;
            EXPECT_LE(std::stoi(m[2]), 255);
            if (!m[3].matched)
                ++noPort;
            else if (m[4] == "5889")
                ++coinPort;
            else
                ++otherPort;
        }
        EXPECT_EQ(coinPort, 38);
        EXPECT_EQ(otherPort, 26);
        EXPECT_EQ(noPort, 2);
    }
}

TEST(BlockTimes, UseWritesTheFixedIntervalAndStoresItAtOnce) {
    ConfGenHarness h;
    h.start();
    MainWindow& main = h.main();
    ASSERT_TRUE(main.BLOCK_TIMES_WINDOW_BUTTON.enabled());
    main.BLOCK_TIMES_WINDOW_BUTTON.click();
    BlockTimesWindow& w = h.windows().blockTimes();
    ASSERT_EQ(h.fake.windows.shown.back(), std::make_pair(static_cast<Form*>(&w), true));
    EXPECT_EQ(w.caption(), "SYNCWARD - AVERAGE BLOCK GENERATION TIMES - BLOCKCOUNTER RUN TIMES");
    EXPECT_EQ(w.placement().width, 9945);
    EXPECT_EQ(w.placement().height, 5940);

    struct Expected {
        const char* coin;
        const char* label;
        const char* average;
        const char* time;
        const char* recommended;
    };
    const Expected table[] = {{"BTC", "BITCOIN (BTC)", "10", "00:10:00", "00:01:00"},
                              {"NMC", "NAMECOIN (NMC)", "2.5", "00:02:30", "00:00:30"},
                              {"LTC", "LITECOIN (LTC)", "2.5", "00:02:30", "00:00:30"},
                              {"DASH", "DASH (DASH)", "2.5", "00:02:30", "00:00:30"},
                              {"VTC", "VERTCOIN (VTC)", "2.5", "00:02:30", "00:00:30"},
                              {"BTG", "BitcoinGold (BTG)", "10", "00:10:00", "00:01:00"}};
    ASSERT_EQ(w.rows().size(), 6u);
    for (std::size_t n = 0; n < 6; ++n) {
        const Expected& e = table[n];
        BlockTimesWindow::Row& row = *w.rows()[n];
        EXPECT_EQ(row.name.caption(), e.label);
        EXPECT_EQ(row.average.caption(), e.average);
        EXPECT_EQ(row.time.name(), std::string(e.coin) + "_TIME_TEXTBOX");
        EXPECT_EQ(row.use.name(), "USE_" + std::string(e.coin) + "_TIME_BUTTON");
        EXPECT_EQ(row.recommendedUse.name(), "REC_USE_" + std::string(e.coin) + "_TIME_BUTTON");
        // The shown text is not what "Use" writes: the table is.
        row.time.setText("12:34:56");
        row.recommended.setText("nonsense");
        h.fake.store.clearLog();
        main.USER_OVERRIDE_TIME_TEXTBOX.setText("02:00:00");
        row.use.click();
        EXPECT_EQ(main.USER_COUNT_TIME_TEXTBOX.text(), e.time) << e.coin;
        EXPECT_EQ(h.stored("USER_COUNT_TIME_TEXTBOX"), e.time);
        EXPECT_EQ(h.stored("USER_OVERRIDE_TIME_TEXTBOX"), "02:00:00");
        EXPECT_EQ(h.fake.store.savedKeys("BTC1"),
                  (std::vector<std::string>{"USER_COUNT_TIME_TEXTBOX", "USER_OVERRIDE_TIME_TEXTBOX"}));
        row.recommendedUse.click();
        EXPECT_EQ(main.USER_COUNT_TIME_TEXTBOX.text(), e.recommended);
        EXPECT_EQ(h.stored("USER_COUNT_TIME_TEXTBOX"), e.recommended);
    }
    w.setPosition(1100, 1200);
    w.OK_BUTTON.click();
    EXPECT_FALSE(w.isOpen());
    EXPECT_EQ(h.stored("BLOCK_TIMES_WINDOW-Left"), "1100");
    main.BLOCK_TIMES_WINDOW_BUTTON.click();
    EXPECT_EQ(w.row("BTC").time.text(), "00:10:00");  // shown afresh
}

}  // namespace
}  // namespace syncward::testing
