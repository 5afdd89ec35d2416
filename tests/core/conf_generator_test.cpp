#include <gtest/gtest.h>

#include "confgen_harness.h"
#include "core/confgen/coin_presets_window.h"

namespace syncward::testing {
namespace {

const std::string header = "# - BTC - Bitcoin - CONF FILE CREATED USING QUORVEL - SYNCWARD - CONF-GENERATOR -";

std::vector<std::string> emptyStoreLines() {
    return {"# -  - CONF FILE CREATED USING QUORVEL - SYNCWARD - CONF-GENERATOR -",
            "#wallet=", "#disablewallet=0", "#server=0", "#alerts=0", "#listen=0", "#upnp=0", "#dns=0", "#daemon=0",
            "#allowip=127.0.0.1", "#rpcallowip=127.0.0.1", "#timeout=", "#rpctimeout=", "#maxconnections=",
            "#port=", "#rpcport=", "#uacomment=", "", "#rpcuser=", "#rpcpassword=", "#rpcauth=", "", "", "", ""};
}

// The line of the preview that starts with key (plain or commented).
std::string lineOf(const ConfGeneratorWindow& w, const std::string& key) {
    const std::string& text = w.CONF_OUTPUT_TEXTBOX.text();
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find_first_of("\r\n", at);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(at, end - at);
        if (line.starts_with(key) || line.starts_with("#" + key)) return line;
        at = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return "(no " + key + " line)";
}

TEST(ConfGenerator, AnEmptyStoreOpensWithTheWorkedExampleByteForByte) {
    ConfGenHarness h;
    ConfGeneratorWindow& w = h.open();
    ASSERT_EQ(h.fake.windows.shown.size(), 3u);
    EXPECT_EQ(h.fake.windows.shown[2], std::make_pair(static_cast<Form*>(&w), true));
    EXPECT_EQ(w.caption(), "SYNCWARD - CRYPTO \".CONF\" CONFIGURATION FILE GENERATOR");
    EXPECT_EQ(w.placement().width, 13785);
    EXPECT_EQ(w.placement().height, 7965);
    EXPECT_EQ(w.CONF_FILE_LOCATION_TEXTBOX.text(), "D:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf");
    EXPECT_FALSE(w.DISABLE_WALLET_TICKBOX.enabled());
    EXPECT_FALSE(w.DAEMON_TICKBOX.enabled());
    EXPECT_EQ(w.CONF_OUTPUT_TIMER.interval(), 1000);
    EXPECT_TRUE(w.CONF_OUTPUT_TIMER.enabled());
    h.tick();
    const std::string expected = joinLines(emptyStoreLines(), "\r\n");
    EXPECT_TRUE(expected.ends_with("#rpcauth=\r\n\r\n\r\n\r\n"));
    EXPECT_EQ(w.CONF_OUTPUT_TEXTBOX.text(), expected);
    EXPECT_EQ(w.fileText(), expected + "\r\n");

    // Under POSIX the same lines end in LF, and the file is the home folder's.
    ConfGenHarness posix(PlatformProfile::posix("/home/u"), "/home/u/R");
    ConfGeneratorWindow& p = posix.open();
    posix.tick();
    EXPECT_EQ(p.CONF_OUTPUT_TEXTBOX.text(), joinLines(emptyStoreLines(), "\n"));
    EXPECT_EQ(p.CONF_FILE_LOCATION_TEXTBOX.text(), "/home/u/R/CONFIGS/BTC1-CRYPTO-CONFIG.conf");
}

TEST(ConfGenerator, BasicSettingsGiveTheWorkedExampleAndSaveWritesItWithOneMoreLineEnd) {
    ConfGenHarness h;
    ConfGeneratorWindow& w = h.open();
    w.IDS_BUTTON.click();
    CoinPresetsWindow& presets = h.windows().presets();
    presets.IMPORT_SETTINGS_TICKBOX.setValue(1);
    presets.BASIC_SETTINGS_BUTTON.click();
    h.tick();
    const std::vector<std::string> lines = {
        "# -  - CONF FILE CREATED USING QUORVEL - SYNCWARD - CONF-GENERATOR -",
        "wallet=wallet.dat", "disablewallet=0", "server=1", "alerts=1", "listen=1", "#upnp=0", "dns=1", "#daemon=0",
        "allowip=127.0.0.1", "rpcallowip=127.0.0.1", "timeout=3000", "rpctimeout=3000", "maxconnections=20",
        "#port=", "#rpcport=", "#uacomment=", "", "#rpcuser=", "#rpcpassword=", "#rpcauth=", "", "", "", ""};
    EXPECT_EQ(w.CONF_OUTPUT_TEXTBOX.text(), joinLines(lines, "\r\n"));

    w.SAVE_BUTTON.click();
    EXPECT_EQ(h.file("D:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf"), joinLines(lines, "\r\n") + "\r\n");
    EXPECT_EQ(w.CANCEL_BUTTON.caption(), "Close");
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), "!!! CONF FILE SAVED !!!");  // a success says so (issue 25)
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.background(), colours::green);
}

TEST(ConfGenerator, TickReactionsSwitchKeysAndAvailabilityAsTheUserSeesThem) {
    ConfGenHarness h;
    ConfGeneratorWindow& w = h.open();
    w.WALLET_TICKBOX.setValue(1);
    h.tick();
    EXPECT_EQ(lineOf(w, "disablewallet="), "disablewallet=0");
    EXPECT_TRUE(w.DISABLE_WALLET_TICKBOX.enabled());
    w.DISABLE_WALLET_TICKBOX.setValue(1);
    h.tick();
    EXPECT_EQ(lineOf(w, "disablewallet="), "disablewallet=1");
    w.WALLET_TICKBOX.setValue(0);
    h.tick();
    EXPECT_EQ(lineOf(w, "disablewallet="), "#disablewallet=0");
    EXPECT_FALSE(w.DISABLE_WALLET_TICKBOX.enabled());

    w.PEER_LOCALHOST_TICKBOX.setValue(1);
    w.SERVER_TICKBOX.setValue(1);
    h.tick();
    EXPECT_EQ(lineOf(w, "allowip="), "allowip=127.0.0.1");
    EXPECT_EQ(lineOf(w, "rpcallowip="), "#rpcallowip=127.0.0.1");
    EXPECT_EQ(lineOf(w, "server="), "server=1");
    w.SERVER_TICKBOX.setValue(0);
    h.tick();
    EXPECT_EQ(lineOf(w, "server="), "#server=0");  // a tick-box line always carries its state

    // A value line is plain exactly when its field holds something, blanks too.
    w.PEER_PORT_TEXTBOX.setText(" ");
    h.tick();
    EXPECT_EQ(lineOf(w, "port="), "port= ");
}

TEST(ConfGenerator, OldWalletSupportGovernsTheDaemonLineFromTheStoreOnwards) {
    ConfGenHarness h;
    h.store("OLD_WALLET_SUPPORT_TICKBOX", "1");
    h.store("DAEMON_TICKBOX", "0");
    ConfGeneratorWindow& w = h.open();
    EXPECT_TRUE(w.DAEMON_TICKBOX.enabled());
    h.tick();
    EXPECT_EQ(lineOf(w, "daemon="), "#daemon=0");
    w.DAEMON_TICKBOX.setValue(1);
    h.tick();
    EXPECT_EQ(lineOf(w, "daemon="), "#daemon=1");
    w.OLD_WALLET_SUPPORT_TICKBOX.setValue(0);
    h.tick();
    EXPECT_EQ(lineOf(w, "daemon="), "#daemon=0");
    EXPECT_FALSE(w.DAEMON_TICKBOX.enabled());
    w.OLD_WALLET_SUPPORT_TICKBOX.setValue(1);
    h.tick();
    EXPECT_EQ(lineOf(w, "daemon="), "daemon=0");
}

TEST(ConfGenerator, SaveStoresInItsOrderCopiesTheNameAndWritesTheBlocksVerbatim) {
    ConfGenHarness h;
    ConfGeneratorWindow& w = h.open();
    w.CRYPTO_NAME_TEXTBOX.setText("BTC - Bitcoin");
    w.USER_DEFINED_SETTINGS_TEXTBOX.setText("regtest=1\r\n[regtest]\r\nrpcbind=127.0.0.1");
    w.FULL_NODE_LIST_TEXTBOX.setText("addnode=192.0.2.1\r\n");
    w.NO_2X_BUTTON.click();
    h.fake.store.clearLog();
    w.SAVE_BUTTON.click();  // within the same second: no tick has run

    EXPECT_EQ(h.fake.store.savedKeys("BTC1"),
              (std::vector<std::string>{
                  "MAIN-Left", "MAIN-Top", "CRYPTO_NAME_TEXTBOX", "WALLET_FILE_TEXTBOX", "WALLET_TICKBOX",
                  "DISABLE_WALLET_TICKBOX", "SERVER_TICKBOX", "ALERTS_TICKBOX", "LISTEN_TICKBOX", "UPNP_TICKBOX",
                  "DNS_TICKBOX", "OLD_WALLET_SUPPORT_TICKBOX", "DAEMON_TICKBOX", "PEER_LOCALHOST_TICKBOX",
                  "RPC_LOCALHOST_TICKBOX", "TIMEOUT_TEXTBOX", "RPC_TIMEOUT_TEXTBOX", "MAX_CONNECTIONS_TEXTBOX",
                  "PEER_PORT_TEXTBOX", "RPC_PORT_TEXTBOX", "UACOMMENT_TEXTBOX", "RPC_USER_TEXTBOX",
                  "RPC_PASSWORD_TEXTBOX", "RPC_AUTH_TEXTBOX", "FULL_NODE_LIST_TEXTBOX",
                  "USER_DEFINED_SETTINGS_TEXTBOX"}));
    EXPECT_EQ(h.main().CRYPTO_NAME_TEXTBOX.text(), "BTC - Bitcoin");
    EXPECT_EQ(h.stored("CRYPTO_NAME_TEXTBOX"), "BTC - Bitcoin");
    const std::string file = h.file("D:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf");
    EXPECT_TRUE(file.starts_with(header + "\r\n")) << file;
    EXPECT_NE(file.find("\r\nuacomment=NO2X\r\n"), std::string::npos);
    EXPECT_TRUE(file.ends_with("#rpcauth=\r\n\r\nregtest=1\r\n[regtest]\r\nrpcbind=127.0.0.1\r\n\r\n"
                               "addnode=192.0.2.1\r\n\r\n"))
        << file;

    // Opened again, the window shows the last SAVE, and the main window's
    // place is where the generator was.
    w.setPosition(2000, 3000);
    w.CANCEL_BUTTON.click();
    EXPECT_EQ(h.stored("MAIN-Left"), "2000");
    EXPECT_EQ(h.stored("MAIN-Top"), "3000");
    EXPECT_FALSE(h.stored("MAIN-Width").has_value());
    h.app->settingsWindows().mainSettings().CONF_MANAGER_BUTTON.click();
    EXPECT_EQ(w.placement().left, 2000);
    EXPECT_EQ(w.UACOMMENT_TEXTBOX.text(), "NO2X");
    EXPECT_EQ(w.CANCEL_BUTTON.caption(), "Cancel");
}

TEST(ConfGenerator, SaveRightAfterOpeningWritesTheStoredSettingsNotAnEmptyPreview) {
    ConfGenHarness h;
    h.store("CRYPTO_NAME_TEXTBOX", "BTC - Bitcoin");
    h.store("SERVER_TICKBOX", "1");
    ConfGeneratorWindow& w = h.open();
    w.SAVE_BUTTON.click();
    const std::string file = h.file("D:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf");
    EXPECT_TRUE(file.starts_with(header + "\r\n#wallet=\r\n#disablewallet=0\r\nserver=1\r\n")) << file;
}

TEST(ConfGenerator, AFailedWriteSaysSoAndKeepsCancel) {
    ConfGenHarness h;
    ConfGeneratorWindow& w = h.open();
    h.fake.files.unwritable.insert("D:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf");
    w.SAVE_BUTTON.click();
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(),
              "!!! CONF FILE NOT WRITTEN - CHECK THE HOME FOLDER / CREATE FOLDERS - SETTINGS STORED !!!");
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.background(), colours::red);
    EXPECT_EQ(w.CANCEL_BUTTON.caption(), "Cancel");

    h.fake.files.unwritable.clear();
    w.SAVE_BUTTON.click();
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), confgen_texts::saved);
    EXPECT_EQ(w.CANCEL_BUTTON.caption(), "Close");

    // A home folder emptied in the main settings since: nothing is done.
    ConfGenHarness empty;
    ConfGeneratorWindow& e = empty.open();
    empty.app->settingsWindows().mainSettings().SYNCWARD_HOME_TEXTBOX.setText("");
    empty.fake.store.clearLog();
    const int writes = empty.fake.files.writes;
    e.SAVE_BUTTON.click();
    EXPECT_EQ(e.MESSAGE_STATUS_TEXTBOX.text(), "!!! NO HOME FOLDER SET IN MAIN SETTINGS - NOTHING SAVED !!!");
    EXPECT_EQ(empty.fake.files.writes, writes);
    EXPECT_TRUE(empty.fake.store.savedKeys("BTC1").empty());
    EXPECT_EQ(e.CANCEL_BUTTON.caption(), "Cancel");
}

TEST(ConfGenerator, APastedLineBreakAddsNoConfigurationLine) {
    ConfGenHarness h;
    ConfGeneratorWindow& w = h.open();
    w.RPC_USER_TEXTBOX.setText("alice\r\nrpcallowip=0.0.0.0/0\n");
    EXPECT_EQ(w.RPC_USER_TEXTBOX.text(), "alicerpcallowip=0.0.0.0/0");
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), "!!! LINE BREAK REMOVED - THIS FIELD TAKES ONE LINE !!!");
    w.CRYPTO_NAME_TEXTBOX.setText("BTC\n");
    EXPECT_EQ(w.CRYPTO_NAME_TEXTBOX.text(), "BTC");
    // The user block keeps its lines.
    w.USER_DEFINED_SETTINGS_TEXTBOX.setText("a=1\nb=2");
    w.SAVE_BUTTON.click();
    const std::string file = h.file("D:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf");
    EXPECT_NE(file.find("\r\nrpcuser=alicerpcallowip=0.0.0.0/0\r\n"), std::string::npos);
    EXPECT_NE(file.find("\r\n\r\na=1\nb=2\r\n\r\n"), std::string::npos);
}

TEST(ConfGenerator, WarnsWhenTheBlockCountersClientCouldNotLogIn) {
    ConfGenHarness h;
    ConfGeneratorWindow& w = h.open();
    w.RPC_USER_TEXTBOX.setText("alice");
    w.RPC_AUTH_TEXTBOX.setText("alice:00ff$abcd");
    h.tick();
    EXPECT_EQ(w.RPC_WARNING_LABEL.caption(),
              "!!! RPCAUTH WITHOUT RPCPASSWORD - THE BLOCKCOUNTER'S CLIENT CANNOT LOG IN - ENTER RPC USERNAME AND "
              "PASSWORD TOO !!!");
    w.RPC_PASSWORD_TEXTBOX.setText("secret");
    h.tick();
    EXPECT_EQ(w.RPC_WARNING_LABEL.caption(), "");
}

TEST(ConfGenerator, ClearAllEmptiesEveryFieldAndCommentsEveryTickedKey) {
    ConfGenHarness h;
    ConfGeneratorWindow& w = h.open();
    w.IDS_BUTTON.click();
    CoinPresetsWindow& presets = h.windows().presets();
    presets.IMPORT_SETTINGS_TICKBOX.setValue(1);
    presets.BASIC_SETTINGS_BUTTON.click();
    presets.coinButton("NMC").click();
    w.USER_DEFINED_SETTINGS_TEXTBOX.setText("x=1");
    w.CLEAR_ALL_BUTTON.click();
    h.tick();
    EXPECT_EQ(w.CONF_OUTPUT_TEXTBOX.text(), joinLines(emptyStoreLines(), "\r\n"));
    EXPECT_FALSE(w.DAEMON_TICKBOX.enabled());
    EXPECT_FALSE(h.stored("CRYPTO_NAME_TEXTBOX").has_value());  // nothing stored until SAVE
}

TEST(ConfGenerator, TwoCopiesWriteTwoFilesInOneConfigsFolder) {
    ConfGenHarness h;
    h.fake.environment.exeName = "LTC1";
    h.store("SYNCWARD_HOME_TEXTBOX", "D:\\R");
    h.open().SAVE_BUTTON.click();
    ConfGenHarness other;
    other.fake.environment.exeName = "BTC2";
    other.store("SYNCWARD_HOME_TEXTBOX", "D:\\R");
    other.open().SAVE_BUTTON.click();
    EXPECT_EQ(h.fake.files.files.count("D:\\R\\CONFIGS\\LTC1-CRYPTO-CONFIG.conf"), 1u);
    EXPECT_EQ(other.fake.files.files.count("D:\\R\\CONFIGS\\BTC2-CRYPTO-CONFIG.conf"), 1u);
}

}  // namespace
}  // namespace syncward::testing
