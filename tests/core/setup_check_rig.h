#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/setupcheck/setup_check_windows.h"
#include "core/settings/crypto_settings_window.h"
#include "core/settings/settings_windows.h"
#include "support/app_harness.h"

namespace syncward::testing {

inline constexpr const char* goodConf =
    "regtest=1\nserver=1\n[regtest]\nwallet=main\nrpcport=19443\nrpcbind=127.0.0.1\n";

// A daemon-only Litecoin copy "LTC1" set up as the packages and the
// settings windows leave it, every step of an unattended run ticked.
struct SetupRig {
    AppHarness h{PlatformProfile::posix("/home/ann")};
    const std::string home = "/home/ann/SW";
    const std::string data = "/home/ann/ltc-data";
    const std::string conf = "/home/ann/SW/CONFIGS/LTC1-CRYPTO-CONFIG.conf";
    FakeSetupProbe& probe = h.fake.setupProbe;

    SetupRig() {
        h.fake.environment.exeName = "LTC1";
        for (const auto& [key, value] : std::vector<std::pair<std::string, std::string>>{
                 {"SYNCWARD_HOME_TEXTBOX", home}, {"RUN_DAEMON_TICKBOX", "1"}, {"TASK_8_ENABLE_TICKBOX", "1"},
                 {"TASK_11_ENABLE_TICKBOX", "1"}, {"TASK_19_ENABLE_TICKBOX", "1"},
                 {"FINISH_WHEN_IDENTICAL_TICKBOX", "1"}, {"OVERRIDE_TIMER_ENABLE_TICKBOX", "1"},
                 {"AUTOSTART_TICKBOX", "1"}, {"CRYPTO_NAME_TEXTBOX", "LITECOIN"}, {"BLOCKCHAIN_HOME_TEXTBOX", data},
                 {"DAEMON_CLI_LOCATION_TEXTBOX", "/usr/bin"}, {"DAEMOND_NAME_TEXTBOX", "litecoind"},
                 {"DAEMONCLI_NAME_SETTINGS_TEXTBOX", "litecoin-cli"}, {"QT_LOCATION_TEXTBOX", "/usr/bin"},
                 {"QT_NAME_TEXTBOX", "litecoin-qt"}})
            h.store(key, value);
        probe.paths[home] = FakeSetupProbe::folder();
        for (const char* sub : {"BATS", "BLOCKCOUNTS", "CONFIGS", "LOGS", "REPORTS"}) {
            probe.paths[home + "/" + sub] = FakeSetupProbe::folder();
            h.fake.files.folders.insert(home + "/" + sub);
        }
        probe.paths[data] = FakeSetupProbe::folder();
        probe.paths["/usr/bin/litecoind"] = FakeSetupProbe::program();
        probe.paths["/usr/bin/litecoin-cli"] = FakeSetupProbe::program();
        probe.paths["/usr/lib/litecoin/litecoin-qt"] = FakeSetupProbe::program();
        probe.paths[conf] = FakeSetupProbe::readableFile();
        h.fake.files.files[conf] = goodConf;
        h.start();
        saveCrypto();
    }
    // The crypto settings' Save writes the command files.
    void saveCrypto() {
        CryptoSettingsWindow& crypto = h.app->settingsWindows().cryptoSettings();
        crypto.SAVE_BUTTON.click();
        ASSERT_EQ(crypto.MESSAGE_STATUS_TEXTBOX.text(), crypto_texts::cryptoSettingsSaved);
        crypto.close();
    }
    void tick(TickBox& box, bool on) { box.setTicked(on); }
    CheckLines check() { return h.app->setupCheck().checkNow(); }
};

}  // namespace syncward::testing
