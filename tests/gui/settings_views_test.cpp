#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "core/settings/crypto_settings_window.h"
#include "core/settings/main_settings_window.h"
#include "core/settings/settings_windows.h"
#include "gui/gui_harness.h"

namespace syncward::testing {
namespace {

TEST(SettingsViews, TheMainSettingsOpenModallyFromTheSettingsButtonAndOkApplies) {
    GuiHarness h;
    h.start();
    MainWindow& main = h.app->main();
    auto* settingsButton = h.widget<QPushButton>(main, "SETTINGS_BUTTON");
    ASSERT_TRUE(settingsButton->isEnabled());
    settingsButton->click();

    MainSettingsWindow& settings = h.app->settingsWindows().mainSettings();
    QWidget* view = h.view(settings);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->windowModality(), Qt::WindowModal);
    EXPECT_EQ(view->windowTitle(), "SYNCWARD - MAIN SETTINGS");
    EXPECT_EQ(h.widget<QLineEdit>(settings, "MESSAGE_STATUS_TEXTBOX")->text(),
              "!!! NOT DEFAULT FOLDER - BEWARE OF FAILURES !!!");
    EXPECT_FALSE(h.widget<QPushButton>(settings, "CRYPTO_SETTINGS_BUTTON")->isEnabled());

    h.widget<QPushButton>(settings, "USE_DEFAULT_BUTTON")->click();
    EXPECT_EQ(h.widget<QLineEdit>(settings, "SYNCWARD_HOME_TEXTBOX")->text(), "C:\\QUORVEL-ROOT\\SYNCWARD");
    EXPECT_TRUE(h.widget<QLineEdit>(settings, "MESSAGE_STATUS_TEXTBOX")->styleSheet().contains("rgb(0,255,0)"));
    GuiHarness::typeInto(h.widget<QLineEdit>(settings, "SYNCWARD_HOME_TEXTBOX"), "D:\\R");
    EXPECT_EQ(settings.SYNCWARD_HOME_TEXTBOX.text(), "D:\\R");
    EXPECT_TRUE(h.widget<QPushButton>(settings, "CRYPTO_SETTINGS_BUTTON")->isEnabled());
    h.widget<QCheckBox>(settings, "AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX")->click();
    EXPECT_FALSE(main.AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX.ticked());
    h.widget<QCheckBox>(settings, "AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX")->click();
    EXPECT_TRUE(main.AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX.ticked());
    view->grab().save(GuiHarness::screenshotPath("main_settings.png"));

    h.widget<QPushButton>(settings, "OK_BUTTON")->click();
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(main.SYNCWARD_HOME_TEXTBOX.text(), "D:\\R");
    EXPECT_EQ(main.GETBLOCKCOUNT_LOG_LOCATION_TEXTBOX.text(), "D:\\R\\BLOCKCOUNTS\\BTC1-LATEST-BLOCKCOUNT.LOG");
    EXPECT_EQ(h.fake.store.stored("BTC1", "SYNCWARD_HOME_TEXTBOX"), "D:\\R");

    // Opened again, the same view shows the freshly loaded window.
    settingsButton->click();
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(h.view(settings), view);
    EXPECT_EQ(h.widget<QLineEdit>(settings, "SYNCWARD_HOME_TEXTBOX")->text(), "D:\\R");
    view->close();  // the close box stores through the model
    EXPECT_FALSE(settings.isOpen());
}

TEST(SettingsViews, TheCryptoSettingsRebuildTheirCommandsAndSaveThroughTheView) {
    GuiHarness h;
    h.fake.store.put("BTC1", "SYNCWARD_HOME_TEXTBOX", "D:\\R");
    h.fake.files.folders.insert({"D:\\R\\BATS", "D:\\R\\BLOCKCOUNTS"});  // as CREATE FOLDERS leaves them
    h.start();
    h.widget<QPushButton>(h.app->main(), "SETTINGS_BUTTON")->click();
    MainSettingsWindow& settings = h.app->settingsWindows().mainSettings();
    h.widget<QPushButton>(settings, "CRYPTO_SETTINGS_BUTTON")->click();

    CryptoSettingsWindow& crypto = h.app->settingsWindows().cryptoSettings();
    QWidget* view = h.view(crypto);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->windowModality(), Qt::WindowModal);
    EXPECT_EQ(view->parentWidget(), h.view(settings));
    EXPECT_EQ(view->windowTitle(), "SYNCWARD - CRYPTO SETTINGS");
    auto* qtCommand = h.widget<QPlainTextEdit>(crypto, "QV_QT_COMMAND_TEXTBOX");
    EXPECT_TRUE(qtCommand->toPlainText().startsWith("!!! QT RUN COMMAND NOT GENERATED YET"));
    EXPECT_TRUE(qtCommand->isReadOnly());
    EXPECT_FALSE(h.widget<QCheckBox>(crypto, "QT_DISABLE_WALLET_TICKBOX")->isEnabled());

    for (const char* use : {"USE_QT_LOCATION_BUTTON", "USE_QT_NAME_BUTTON", "USE_DAEMON_CLI_LOCATION_BUTTON",
                            "USE_DAEMOND_NAME_BUTTON", "USE_DAEMONCLI_NAME_BUTTON"})
        h.widget<QPushButton>(crypto, use)->click();
    GuiHarness::typeInto(h.widget<QLineEdit>(crypto, "CRYPTO_NAME_TEXTBOX"), "Bitcoin");
    GuiHarness::typeInto(h.widget<QLineEdit>(crypto, "BLOCKCHAIN_HOME_TEXTBOX"), "D:\\chain");
    h.widget<QCheckBox>(crypto, "QT_WALLET_TICKBOX")->click();
    EXPECT_TRUE(h.widget<QCheckBox>(crypto, "QT_DISABLE_WALLET_TICKBOX")->isEnabled());
    EXPECT_EQ(h.widget<QLineEdit>(crypto, "QT_DASH_DISABLE_WALLET_EQUALS_TEXTBOX")->text(), "-disablewallet=0");

    // The real one-second timer rebuilds the lines.
    const QString expected =
        "call \"C:\\Program Files\\Bitcoin\\bitcoin-qt.exe\" -conf=D:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf "
        "-datadir=D:\\chain -disablewallet=0";
    QElapsedTimer waited;
    waited.start();
    while (qtCommand->toPlainText() != expected && waited.elapsed() < 5000) GuiHarness::pump(50);
    EXPECT_EQ(qtCommand->toPlainText(), expected);

    h.widget<QPushButton>(crypto, "SAVE_BUTTON")->click();
    EXPECT_EQ(h.fake.files.files.at("D:\\R\\BATS\\BTC1-RUN-QT.bat"), expected.toStdString() + "\r\n");
    EXPECT_EQ(h.fake.files.files.at("D:\\R\\BLOCKCOUNTS\\BTC1-LATEST-BLOCKCOUNT.LOG"), "\r\n");
    EXPECT_EQ(h.widget<QPushButton>(crypto, "CANCEL_BUTTON")->text(), "Close");
    EXPECT_EQ(h.widget<QLineEdit>(crypto, "MESSAGE_STATUS_TEXTBOX")->text(),
              "!!! CRYPTO SETTINGS SAVED - COMMAND FILES WRITTEN !!!");
    EXPECT_EQ(h.app->main().QV_QT_COMMAND_TEXTBOX.text(), expected.toStdString());
    view->grab().save(GuiHarness::screenshotPath("crypto_settings.png"));

    h.widget<QPushButton>(crypto, "CANCEL_BUTTON")->click();
    EXPECT_FALSE(view->isVisible());
    EXPECT_FALSE(crypto.COMMAND_UPDATE_TIMER.enabled());
    EXPECT_TRUE(h.view(settings)->isVisible());
}

TEST(SettingsViews, AFailedSaveIsToldInTheCryptoWindowsStatus) {
    GuiHarness h;
    h.fake.store.put("BTC1", "SYNCWARD_HOME_TEXTBOX", "D:\\R");
    h.fake.files.folders.insert({"D:\\R\\BATS", "D:\\R\\BLOCKCOUNTS"});  // as CREATE FOLDERS leaves them
    h.fake.files.unwritable.insert("D:\\R\\BLOCKCOUNTS\\BTC1-LATEST-BLOCKCOUNT.LOG");
    h.start();
    h.widget<QPushButton>(h.app->main(), "SETTINGS_BUTTON")->click();
    h.widget<QPushButton>(h.app->settingsWindows().mainSettings(), "CRYPTO_SETTINGS_BUTTON")->click();
    CryptoSettingsWindow& crypto = h.app->settingsWindows().cryptoSettings();
    h.widget<QPushButton>(crypto, "SAVE_BUTTON")->click();
    auto* status = h.widget<QLineEdit>(crypto, "MESSAGE_STATUS_TEXTBOX");
    EXPECT_EQ(status->text(),
              "!!! NOT WRITTEN: LATEST-BLOCKCOUNT - CHECK THE HOME FOLDER / CREATE FOLDERS - NOTHING SAVED !!!");
    EXPECT_TRUE(status->styleSheet().contains("rgb(255,0,0)"));
}

}  // namespace
}  // namespace syncward::testing
