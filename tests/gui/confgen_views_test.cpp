#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "core/confgen/block_times_window.h"
#include "core/confgen/coin_presets_window.h"
#include "core/confgen/conf_generator_window.h"
#include "core/confgen/confgen_windows.h"
#include "core/confgen/rpc_credentials.h"
#include "core/confgen/rpc_credentials_window.h"
#include "core/settings/main_settings_window.h"
#include "core/settings/settings_windows.h"
#include "gui/gui_harness.h"

namespace syncward::testing {
namespace {

// The generator opened through the main settings' button, as a user does.
ConfGeneratorWindow& openGenerator(GuiHarness& h) {
    h.fake.store.put("BTC1", "SYNCWARD_HOME_TEXTBOX", "D:\\R");
    h.start();
    h.widget<QPushButton>(h.app->main(), "SETTINGS_BUTTON")->click();
    MainSettingsWindow& settings = h.app->settingsWindows().mainSettings();
    auto* manager = h.widget<QPushButton>(settings, "CONF_MANAGER_BUTTON");
    EXPECT_TRUE(manager->isEnabled());
    manager->click();
    return h.app->confGenWindows().generator();
}

TEST(ConfGenViews, TheGeneratorShowsItsLivePreviewAndSavesThroughTheView) {
    GuiHarness h;
    ConfGeneratorWindow& g = openGenerator(h);
    QWidget* view = h.view(g);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->windowModality(), Qt::WindowModal);
    EXPECT_EQ(view->parentWidget(), h.view(h.app->settingsWindows().mainSettings()));
    EXPECT_EQ(view->windowTitle(), "SYNCWARD - CRYPTO \".CONF\" CONFIGURATION FILE GENERATOR");

    GuiHarness::typeInto(h.widget<QLineEdit>(g, "CRYPTO_NAME_TEXTBOX"), "LTC - Litecoin");
    h.widget<QCheckBox>(g, "SERVER_TICKBOX")->click();
    auto* disabled = h.widget<QCheckBox>(g, "DISABLE_WALLET_TICKBOX");
    EXPECT_FALSE(disabled->isEnabled());
    h.widget<QCheckBox>(g, "WALLET_TICKBOX")->click();
    EXPECT_TRUE(disabled->isEnabled());
    h.widget<QPushButton>(g, "NO_2X_BUTTON")->click();
    GuiHarness::typeInto(h.widget<QLineEdit>(g, "RPC_AUTH_TEXTBOX"), "alice:00$11");
    auto* preview = h.widget<QPlainTextEdit>(g, "CONF_OUTPUT_TEXTBOX");
    EXPECT_TRUE(preview->isReadOnly());
    GuiHarness::pump(1300);
    const QString text = preview->toPlainText();
    EXPECT_TRUE(text.startsWith("# - LTC - Litecoin - CONF FILE CREATED")) << text.toStdString();
    EXPECT_TRUE(text.contains("server=1")) << text.toStdString();
    EXPECT_TRUE(text.contains("uacomment=NO2X"));
    EXPECT_TRUE(h.widget<QLabel>(g, "RPC_WARNING_LABEL")->text().contains("CANNOT LOG IN"));
    view->grab().save(GuiHarness::screenshotPath("conf_generator.png"));

    h.widget<QPushButton>(g, "SAVE_BUTTON")->click();
    EXPECT_EQ(h.widget<QPushButton>(g, "CANCEL_BUTTON")->text(), "Close");
    EXPECT_EQ(h.fake.files.files.count("D:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf"), 1u);
    view->close();
    EXPECT_FALSE(g.isOpen());
}

TEST(ConfGenViews, ThePresetsAndTheCredentialsOpenOverTheGenerator) {
    GuiHarness h;
    ConfGeneratorWindow& g = openGenerator(h);
    h.widget<QPushButton>(g, "IDS_BUTTON")->click();
    CoinPresetsWindow& presets = h.app->confGenWindows().presets();
    QWidget* presetsView = h.view(presets);
    ASSERT_NE(presetsView, nullptr);
    EXPECT_EQ(presetsView->parentWidget(), h.view(g));
    EXPECT_EQ(presetsView->windowModality(), Qt::WindowModal);
    auto* ltc = h.widget<QPushButton>(presets, "LTC_IMPORT_BUTTON");
    EXPECT_FALSE(ltc->isEnabled());
    h.widget<QCheckBox>(presets, "IMPORT_SETTINGS_TICKBOX")->click();
    EXPECT_TRUE(ltc->isEnabled());
    presetsView->grab().save(GuiHarness::screenshotPath("coin_presets.png"));
    ltc->click();
    EXPECT_EQ(h.widget<QLineEdit>(g, "PEER_PORT_TEXTBOX")->text(), "9333");
    EXPECT_EQ(h.widget<QPushButton>(presets, "CANCEL_BUTTON")->text(), "Close");
    presetsView->close();

    h.widget<QPushButton>(g, "QV_RPC_TEST_CREDENTIALS_BUTTON")->click();
    RpcCredentialsWindow& credentials = h.app->confGenWindows().credentials();
    QWidget* credentialsView = h.view(credentials);
    ASSERT_NE(credentialsView, nullptr);
    EXPECT_EQ(credentialsView->parentWidget(), h.view(g));
    h.widget<QPushButton>(credentials, "TEST_CFG_3_BUTTON")->click();
    EXPECT_EQ(h.widget<QLineEdit>(credentials, "RPC_USER_TEXTBOX")->text(), rpcTestPresets[2].user);
    EXPECT_TRUE(h.widget<QPushButton>(credentials, "TEST_CFG_3_BUTTON")->styleSheet().contains("rgb(0,255,0)"));
    credentialsView->grab().save(GuiHarness::screenshotPath("rpc_credentials.png"));
    h.widget<QPushButton>(credentials, "USE_CURRENT_CREDENTIALS_BUTTON")->click();
    EXPECT_EQ(h.widget<QLineEdit>(g, "RPC_PASSWORD_TEXTBOX")->text(), rpcTestPresets[2].password);
    credentialsView->close();
    EXPECT_FALSE(credentials.isOpen());
}

TEST(ConfGenViews, TheBlockTimesOpenFromTheMainWindowAndUseSetsTheInterval) {
    GuiHarness h;
    h.start();
    MainWindow& main = h.app->main();
    auto* button = h.widget<QPushButton>(main, "BLOCK_TIMES_WINDOW_BUTTON");
    ASSERT_TRUE(button->isEnabled());
    button->click();
    BlockTimesWindow& times = h.app->confGenWindows().blockTimes();
    QWidget* view = h.view(times);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->windowModality(), Qt::WindowModal);
    EXPECT_EQ(view->windowTitle(), "SYNCWARD - AVERAGE BLOCK GENERATION TIMES - BLOCKCOUNTER RUN TIMES");
    EXPECT_EQ(h.widget<QLineEdit>(times, "LTC_TIME_TEXTBOX")->text(), "00:02:30");
    view->grab().save(GuiHarness::screenshotPath("block_times.png"));
    h.widget<QPushButton>(times, "REC_USE_LTC_TIME_BUTTON")->click();
    EXPECT_EQ(main.USER_COUNT_TIME_TEXTBOX.text(), "00:00:30");
    EXPECT_EQ(h.fake.store.stored("BTC1", "USER_COUNT_TIME_TEXTBOX"), "00:00:30");
    h.widget<QPushButton>(times, "OK_BUTTON")->click();
    EXPECT_FALSE(view->isVisible());
}

}  // namespace
}  // namespace syncward::testing
