#include "core/state/main_window_settings.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "core/state/main_window.h"
#include "core/state/section_settings.h"
#include "core/time/clock_text.h"

namespace syncward {

namespace {

using enum SettingKind;
using enum LoadGroup;
constexpr unsigned everyClose = closeBox | exitButton | autoclose;
constexpr unsigned exitOrAutoclose = exitButton | autoclose;

// The keys that differ from their control's names are the names an older
// layout of the windows gave them; stored files rely on them.
constexpr std::array table = {
    MainSetting{"ALWAYS_ON_TOP_TICKBOX", "", "1", tick, alwaysOnTop, exitOrAutoclose, 1},

    MainSetting{"AUTOSTART_TICKBOX", "", "0", tick, runSettings, everyClose, 2},
    MainSetting{"USER_COUNT_TIME_TEXTBOX", "", main_defaults::countInterval, interval, runSettings, everyClose, 4},
    MainSetting{"AUTOSTART_TIMER_TEXTBOX", "", main_defaults::countdownSeconds, text, runSettings, 0, 0},
    MainSetting{"AUTOCLOSE_TIMER_TEXTBOX", "", main_defaults::countdownSeconds, text, runSettings, 0, 0},
    MainSetting{"QV_QT_COMMAND_TEXTBOX", "", "", text, runSettings, 0, 0},
    MainSetting{"QV_D_COMMAND_TEXTBOX", "", "", text, runSettings, 0, 0},
    MainSetting{"QVCLI_STOP_COMMAND_TEXTBOX", "", "", text, runSettings, 0, 0},
    MainSetting{"GETBLOCKCOUNT_COMMAND_SETTINGS_TEXTBOX", "", "", text, runSettings, 0, 0},
    MainSetting{"USER_OVERRIDE_TIME_TEXTBOX", "", main_defaults::overrideInterval, interval, runSettings, everyClose, 5},
    MainSetting{"OVERRIDE_TIMER_ENABLE_TICKBOX", "", "0", tick, runSettings, everyClose, 6},
    MainSetting{"AUTOSTART_OVERRIDE_TIMER_TICKBOX", "", "0", tick, runSettings, everyClose, 7},
    MainSetting{"FINISH_WHEN_IDENTICAL_TICKBOX", "", "0", tick, runSettings, everyClose, 3},
    MainSetting{"CONFIRM_WITH_NODE_TICKBOX", "", "1", tick, runSettings, 0, 0},
    MainSetting{"TIP_AGE_LIMIT_TICKBOX", "", "0", tick, runSettings, 0, 0},
    MainSetting{"TIP_AGE_LIMIT_TEXTBOX", "", "02:00:00", interval, runSettings, 0, 0},
    MainSetting{"SYNCWARD_HOME_TEXTBOX", "", "", text, runSettings, 0, 0},
    MainSetting{"BLOCKCHAIN_HOME_TEXTBOX", "", "", text, runSettings, 0, 0},
    MainSetting{"SE_HOME_TEXTBOX", "", "", text, runSettings, 0, 0},
    MainSetting{"CRYPTO_NAME_TEXTBOX", "", "", text, runSettings, 0, 0},
    MainSetting{"QT_NAME_TEXTBOX", "", "", text, runSettings, 0, 0},
    MainSetting{"DAEMON_NAME_TEXTBOX", "DAEMOND_NAME_TEXTBOX", "", text, runSettings, 0, 0},
    MainSetting{"CLI_NAME_TEXTBOX", "DAEMONCLI_NAME_SETTINGS_TEXTBOX", "", text, runSettings, 0, 0},
    MainSetting{"EMAIL_OUTPUT_START_COMMAND_TEXTBOX", "", "", text, runSettings, everyClose, 18},
    MainSetting{"EMAIL_OUTPUT_END_COMMAND_TEXTBOX", "", "", text, runSettings, everyClose, 19},
    MainSetting{"AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX", "", main_texts::noActionSet, text, runSettings, 0, 0},
    MainSetting{"RUN_QT_OR_D_TEXTBOX", "", "", text, runSettings, everyClose, 20},
    MainSetting{"RUN_QT_TICKBOX", "", "0", tick, runSettings, exitOrAutoclose, 16},
    MainSetting{"RUN_DAEMON_TICKBOX", "", "0", tick, runSettings, exitOrAutoclose, 17},
    MainSetting{"CONF_FILE_LOCATION_TEXTBOX", "", "", text, runSettings, 0, 0},
    MainSetting{"HEARTBEAT_COUNTDOWN_TIME_TEXTBOX", "", main_defaults::heartbeatInterval, time, runSettings, 0, 0},

    MainSetting{"MULTILOADER_LAST_RUN_TEXTBOX", "", "", text, lastRuns, 0, 0},
    MainSetting{"BLOCKCOUNTER_LAST_RUN_TEXTBOX", "BLOCKCOUNTER_LAST_RUN", "", text, lastRuns, 0, 0},

    MainSetting{"AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX", "", "1", tick, autoloadSwitch, 0, 0},
    MainSetting{"GETBLOCKCOUNT_LOG_LOCATION_TEXTBOX", "", "", text, blockCountFile, 0, 0},

    MainSetting{"TASK_2_ENABLE_TICKBOX", "", "0", tick, stepSwitches, everyClose, 8},
    MainSetting{"TASK_4_ENABLE_TICKBOX", "", "0", tick, stepSwitches, everyClose, 9},
    MainSetting{"TASK_8_ENABLE_TICKBOX", "", "0", tick, stepSwitches, everyClose, 10},
    MainSetting{"TASK_11_ENABLE_TICKBOX", "", "0", tick, stepSwitches, everyClose, 11},
    MainSetting{"TASK_17_ENABLE_TICKBOX", "", "0", tick, stepSwitches, everyClose, 12},
    MainSetting{"TASK_18_ENABLE_TICKBOX", "", "0", tick, stepSwitches, everyClose, 13},
    MainSetting{"TASK_19_ENABLE_TICKBOX", "", "0", tick, stepSwitches, everyClose, 14},
    MainSetting{"TASK_20_ENABLE_TICKBOX", "", "0", tick, stepSwitches, everyClose, 15},

    MainSetting{"AUTOTIMER_ACTION_TEXTBOX", "", main_texts::noActionSet, text, autotimerAction, 0, 0},
};

std::string str(std::string_view view) { return std::string(view); }

void load(MainWindow& w, const SectionSettings& settings, const MainSetting& setting) {
    Control* control = w.control(str(setting.control));
    const std::string key = str(setting.storeKey());
    const std::string fallback = str(setting.fallback);
    switch (setting.kind) {
        case tick: settings.loadTick(static_cast<TickBox&>(*control), key, fallback == "1" ? 1 : 0); break;
        case time: settings.loadTime(static_cast<TextBox&>(*control), key, fallback); break;
        case text: settings.loadText(static_cast<TextBox&>(*control), key, fallback); break;
        case interval: {
            const std::string stored = settings.get(key, fallback);
            static_cast<TextBox&>(*control).setText(parseInterval(stored) ? stored : fallback);
            break;
        }
    }
}

}  // namespace

std::span<const MainSetting> mainSettings() { return table; }

const MainSetting* findMainSetting(std::string_view control) {
    const auto found =
        std::find_if(table.begin(), table.end(), [&](const MainSetting& s) { return s.control == control; });
    return found == table.end() ? nullptr : &*found;
}

void loadMainSettings(MainWindow& w, const SectionSettings& settings, LoadGroup group) {
    for (const MainSetting& setting : table)
        if (setting.group == group) load(w, settings, setting);
}

void saveOnClose(MainWindow& w, const SectionSettings& settings, ClosedBy closedBy) {
    std::vector<const MainSetting*> stored;
    for (const MainSetting& setting : table)
        if (setting.storedBy & closedBy) stored.push_back(&setting);
    std::sort(stored.begin(), stored.end(), [](auto* a, auto* b) { return a->closeOrder < b->closeOrder; });
    for (const MainSetting* setting : stored) saveMainSetting(settings, *w.control(str(setting->control)));
}

bool saveMainSetting(const SectionSettings& settings, const Control& control) {
    const MainSetting* setting = findMainSetting(control.name());
    if (!setting) return false;
    const std::string key = str(setting->storeKey());
    if (setting->kind == tick) return settings.saveTick(key, static_cast<const TickBox&>(control));
    return settings.save(key, static_cast<const TextBox&>(control).text());
}

}  // namespace syncward
