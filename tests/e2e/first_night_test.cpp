// A first night set up through the settings windows in the order a new user
// takes (CHECK SETUP while the home folder is still empty, then the home
// folder, CREATE FOLDERS, the crypto settings' Save, OK), on the real
// settings file and the real disk; then the built program runs the night
// against a Litecoin regtest pair on 127.0.0.1.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QString>
#include <filesystem>
#include <memory>

#include "core/run/application.h"
#include "core/settings/crypto_settings_window.h"
#include "core/settings/main_settings_window.h"
#include "core/settings/settings_windows.h"
#include "e2e/program_run.h"
#include "e2e/regtest_node.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/qt_settings_store.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace syncward::testing {
namespace {

namespace fs = std::filesystem;

// The program's windows as models, on the copy's own settings file and the
// real disk; nothing else of the system.
struct SettingsWindowsOfCopy {
    explicit SettingsWindowsOfCopy(const ProgramRun& copy, const std::string& homeBase)
        : store(QString::fromStdString(copy.settingsFile())),
          fake(PlatformProfile::posix(homeBase)),
          platform(fake.with({.files = &files, .store = &store})) {
        fake.environment.exeName = copy.name();
        app = std::make_unique<Application>(platform);
        app->start();
    }

    QtSettingsStore store;
    PosixFileSystem files;
    FakePlatform fake;
    Platform platform;
    std::unique_ptr<Application> app;
};

TEST(FirstNight, CheckSetupBeforeTheHomeFolderThenTheUsualOrderGivesANightThatCompletes) {
    TempDir dir;
    RegtestNode network{dir / "network", dir / "network.conf", 0, litecoindCopy(dir.path(), "night-network")};
    ASSERT_TRUE(network.start()) << "the network node did not start";
    network.mine(120);

    ProgramRun program{dir, "NIGHT" + std::to_string(::getpid())};
    OwnLitecoinNames names{dir / "bin"};
    // A copy that has never been set up: no home folder yet.
    fs::remove_all(program.home());
    program.setting("SYNCWARD_HOME_TEXTBOX", "");
    {
        SettingsWindowsOfCopy copy(program, dir.path());
        copy.app->main().SETTINGS_BUTTON.click();
        MainSettingsWindow& settings = copy.app->settingsWindows().mainSettings();
        settings.CHECK_SETUP_BUTTON.click();
        settings.SYNCWARD_HOME_TEXTBOX.setText(program.home());
        settings.CREATE_FOLDERS_BUTTON.click();
        settings.CRYPTO_SETTINGS_BUTTON.click();
        CryptoSettingsWindow& crypto = copy.app->settingsWindows().cryptoSettings();
        crypto.CRYPTO_NAME_TEXTBOX.setText("Litecoin");
        crypto.BLOCKCHAIN_HOME_TEXTBOX.setText(dir / "chain");
        crypto.DAEMON_CLI_LOCATION_TEXTBOX.setText(names.folder);
        crypto.DAEMOND_NAME_TEXTBOX.setText(names.daemonName);
        crypto.DAEMONCLI_NAME_SETTINGS_TEXTBOX.setText(names.cliName);
        crypto.SAVE_BUTTON.click();
        ASSERT_EQ(crypto.MESSAGE_STATUS_TEXTBOX.text(), crypto_texts::cryptoSettingsSaved);
        crypto.CANCEL_BUTTON.click();
        settings.OK_BUTTON.click();
        ASSERT_FALSE(settings.isOpen()) << settings.MESSAGE_STATUS_TEXTBOX.text();
    }
    const std::string daemonFile = program.homeFile("BATS", "-RUN-DAEMON.sh");
    EXPECT_NE(readWholeFile(daemonFile).find(" -conf='" + program.configFile() + "' "), std::string::npos)
        << readWholeFile(daemonFile);

    // The home folder's .conf, as the generator would write it for regtest.
    RegtestNode managed{dir / "chain", program.configFile(), network.p2pPort(), names.daemonPath()};
    program.unattendedRunSwitches("Litecoin", "00:00:03");
    const int exitCode = program.run(300);
    EXPECT_EQ(exitCode, 0) << "the program did not close itself in time";
    EXPECT_EQ(program.storedSetting("MULTILOADER_LAST_RUN_TEXTBOX"), "!!! COMPLETED SUCCESSFULLY !!!");
    const std::string report = readWholeFile(program.homeFile("REPORTS", "-END-REPORT.LOG"));
    EXPECT_NE(report.find("Last Know Block Number AFTER Update:\n120\n"), std::string::npos) << report;
}

}  // namespace
}  // namespace syncward::testing
