// The coin catalogue: every row whole, and the windows that show a coin and
// the tip age suggestion all reading it, so a coin added there has its
// preset button, its block times row and its own tip age limit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

#include "confgen_harness.h"
#include "core/blockcounter/tip_age_suggestions.h"
#include "core/coins/coin_catalogue.h"
#include "core/confgen/block_times_window.h"
#include "core/confgen/coin_presets_window.h"
#include "core/time/clock_text.h"

namespace syncward::testing {
namespace {

std::string upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

TEST(CoinCatalogue, EveryCoinHasEveryValueAndATickerAndNameOfItsOwn) {
    std::set<std::string> tickers, names;
    for (const Coin& coin : coinCatalogue) {
        const std::string ticker = coin.ticker ? coin.ticker : "";
        SCOPED_TRACE(ticker);
        ASSERT_FALSE(ticker.empty());
        // It starts control names: "BTC_IMPORT_BUTTON", "USE_BTC_TIME_BUTTON".
        EXPECT_TRUE(std::all_of(ticker.begin(), ticker.end(), [](char c) {
            return std::isupper(static_cast<unsigned char>(c)) || std::isdigit(static_cast<unsigned char>(c));
        }));
        EXPECT_TRUE(tickers.insert(ticker).second) << "a second coin with this ticker";
        ASSERT_TRUE(coin.name && *coin.name);
        EXPECT_TRUE(names.insert(upper(coin.name)).second) << "a second coin with this name";
        ASSERT_TRUE(coin.tableLabel);
        EXPECT_NE(std::string(coin.tableLabel).find("(" + ticker + ")"), std::string::npos) << coin.tableLabel;

        for (const int port : {coin.peerPort, coin.rpcPort}) {
            EXPECT_GT(port, 0);
            EXPECT_LE(port, 65535);
        }
        EXPECT_NE(coin.peerPort, coin.rpcPort);

        EXPECT_GT(coin.blockSeconds, 0);
        EXPECT_GT(coin.intervalSeconds, 0);
        EXPECT_GT(coin.tipAgeSeconds, 0);
        // The counter looks several times a block; a tip is called old only
        // when many blocks are missing.
        EXPECT_LT(coin.intervalSeconds, coin.blockSeconds);
        EXPECT_GT(coin.tipAgeSeconds, 10 * coin.blockSeconds);
        // The boxes they are written into take a time of day.
        for (const int seconds : {coin.blockSeconds, coin.intervalSeconds, coin.tipAgeSeconds})
            EXPECT_TRUE(parseInterval(formatHms(seconds)).has_value()) << seconds;
    }
}

TEST(CoinCatalogue, EveryCoinGetsItsOwnTipAgeLimitHoweverItsNameIsWritten) {
    for (const Coin& coin : coinCatalogue) {
        for (const std::string& written : {cryptoName(coin), std::string(coin.name), std::string(coin.ticker),
                                           "my " + upper(coin.name) + " node"}) {
            const TipAgeSuggestion suggestion = suggestTipAgeLimit(written);
            EXPECT_EQ(suggestion.coin, coin.ticker) << written;
            EXPECT_EQ(suggestion.limit, formatHms(coin.tipAgeSeconds)) << written;
        }
    }
}

TEST(CoinCatalogue, EveryCoinHasItsPresetButtonAndItsBlockTimesRow) {
    {
        ConfGenHarness h;
        h.open().IDS_BUTTON.click();
        CoinPresetsWindow& p = h.windows().presets();
        ConfGeneratorWindow& g = h.windows().generator();
        ASSERT_EQ(p.coinButtons().size(), std::size(coinCatalogue));
        // Between BASIC SETTINGS and Cancel in the form, as the view tabs through them.
        const std::vector<Control*>& controls = p.controls();
        const auto at = [&controls](const Control* control) {
            return std::find(controls.begin(), controls.end(), control) - controls.begin();
        };
        for (const Coin& coin : coinCatalogue) {
            SCOPED_TRACE(coin.ticker);
            Button& button = p.coinButton(coin.ticker);
            EXPECT_EQ(p.control(std::string(coin.ticker) + "_IMPORT_BUTTON"), &button);
            EXPECT_EQ(button.caption(), coin.ticker);
            EXPECT_GT(at(&button), at(&p.BASIC_SETTINGS_BUTTON));
            EXPECT_LT(at(&button), at(&p.CANCEL_BUTTON));
            p.IMPORT_SETTINGS_TICKBOX.setValue(1);
            button.click();
            EXPECT_EQ(g.CRYPTO_NAME_TEXTBOX.text(), cryptoName(coin));
            EXPECT_EQ(g.PEER_PORT_TEXTBOX.text(), std::to_string(coin.peerPort));
            EXPECT_EQ(g.RPC_PORT_TEXTBOX.text(), std::to_string(coin.rpcPort));
        }
        EXPECT_THROW(p.coinButton("XYZ"), std::out_of_range);
    }
    {
        ConfGenHarness h;
        h.start();
        h.main().BLOCK_TIMES_WINDOW_BUTTON.click();
        BlockTimesWindow& w = h.windows().blockTimes();
        ASSERT_EQ(w.rows().size(), std::size(coinCatalogue));
        for (const Coin& coin : coinCatalogue) {
            SCOPED_TRACE(coin.ticker);
            BlockTimesWindow::Row& row = w.row(coin.ticker);
            EXPECT_EQ(row.name.caption(), coin.tableLabel);
            EXPECT_EQ(row.time.text(), formatHms(coin.blockSeconds));
            EXPECT_EQ(row.recommended.text(), formatHms(coin.intervalSeconds));
            row.recommendedUse.click();
            EXPECT_EQ(h.main().USER_COUNT_TIME_TEXTBOX.text(), formatHms(coin.intervalSeconds));
        }
    }
}

}  // namespace
}  // namespace syncward::testing
