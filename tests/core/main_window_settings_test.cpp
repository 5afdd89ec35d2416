#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "core/state/main_window_settings.h"
#include "support/app_harness.h"

namespace syncward::testing {
namespace {

// Gives every stored control a value unlike its default, so a save can be
// told apart from a value left over.
void changeEverySetting(MainWindow& w) {
    for (const MainSetting& setting : mainSettings()) {
        Control* control = w.control(std::string(setting.control));
        if (setting.kind == SettingKind::tick) {
            auto& box = static_cast<TickBox&>(*control);
            box.onClick.disconnectAll();  // the exclusions would clear partners
            box.setValue(setting.fallback == "1" ? 0 : 1);
        } else {
            auto& box = static_cast<TextBox&>(*control);
            box.onChange.disconnectAll();
            box.setText(setting.kind == SettingKind::text ? "changed " + std::string(setting.control) : "02:03:04");
        }
    }
}

std::string shownValue(MainWindow& w, const MainSetting& setting) {
    const Control* control = w.control(std::string(setting.control));
    if (setting.kind == SettingKind::tick) return std::to_string(static_cast<const TickBox*>(control)->value());
    return static_cast<const TextBox*>(control)->text();
}

// What one way of closing stored, against the table: the flagged settings
// under their keys with the shown values, in the table's close order; the
// others not at all (the last-run text is stored by the close itself).
void expectStoredAsTheTableSays(ClosedBy closedBy, const std::function<void(AppHarness&)>& close) {
    AppHarness h;
    h.start();
    MainWindow& w = h.main();
    changeEverySetting(w);
    std::vector<const MainSetting*> flagged;
    for (const MainSetting& setting : mainSettings())
        if (setting.storedBy & closedBy) flagged.push_back(&setting);
    std::sort(flagged.begin(), flagged.end(), [](auto* a, auto* b) { return a->closeOrder < b->closeOrder; });
    std::vector<std::string> values;
    for (const MainSetting* setting : flagged) values.push_back(shownValue(w, *setting));

    h.fake.store.clearLog();
    close(h);
    ASSERT_FALSE(w.isOpen());

    std::vector<std::string> tableKeys;
    for (const MainSetting* setting : flagged) tableKeys.emplace_back(setting->storeKey());
    std::vector<std::string> savedTableKeys;
    for (const std::string& key : h.fake.store.savedKeys("BTC1")) {
        if (key == "MULTILOADER_LAST_RUN_TEXTBOX" || key.starts_with("MAIN-")) continue;
        if (std::find(savedTableKeys.begin(), savedTableKeys.end(), key) != savedTableKeys.end()) continue;
        savedTableKeys.push_back(key);
    }
    EXPECT_EQ(savedTableKeys, tableKeys);
    for (std::size_t i = 0; i < flagged.size(); ++i)
        EXPECT_EQ(h.stored(std::string(flagged[i]->storeKey())), values[i]) << flagged[i]->control;
}

TEST(MainWindowSettings, TheCloseBoxStoresWhatTheTableSays) {
    expectStoredAsTheTableSays(ClosedBy::closeBox, [](AppHarness& h) { h.main().close(); });
}

TEST(MainWindowSettings, ExitStoresWhatTheTableSays) {
    // EXIT's own set, then the close box's set again: the keys appear in
    // EXIT's order first.
    expectStoredAsTheTableSays(ClosedBy::exitButton, [](AppHarness& h) { h.main().EXIT_BUTTON.click(); });
}

TEST(MainWindowSettings, AutocloseStoresWhatTheTableSays) {
    // The countdown's last second; the whole run's way there is tested
    // with the start and close timers.
    expectStoredAsTheTableSays(ClosedBy::autoclose, [](AppHarness& h) {
        h.main().TASK_19_ENABLE_TICKBOX.setValue(1);
        h.main().AUTOCLOSE_REMAINING = 1;
        h.main().AUTOCLOSE_TIMER.start();
        h.fake.loop.advance(1000);
    });
}

TEST(MainWindowSettings, EveryEntryNamesAControlOfTheMainWindowOnce) {
    AppHarness h;
    h.start();
    std::vector<std::string_view> seen;
    for (const MainSetting& setting : mainSettings()) {
        EXPECT_NE(h.main().control(std::string(setting.control)), nullptr) << setting.control;
        EXPECT_EQ(std::count(seen.begin(), seen.end(), setting.control), 0) << setting.control;
        seen.push_back(setting.control);
    }
}

}  // namespace
}  // namespace syncward::testing
