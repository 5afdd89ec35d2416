#include "gui/views.h"

#include "core/confgen/block_times_window.h"
#include "core/confgen/coin_presets_window.h"
#include "core/confgen/conf_generator_window.h"
#include "core/confgen/rpc_credentials_window.h"
#include "core/info/about_window.h"
#include "core/info/box_info_window.h"
#include "core/info/dedications_window.h"
#include "core/info/donations_window.h"
#include "core/info/help_window.h"
#include "core/power/power_autotimer_settings.h"
#include "core/processes/manual_run_window.h"
#include "core/processes/self_termination_window.h"
#include "core/processes/terminator_window.h"
#include "core/power/power_autotimer_window.h"
#include "core/scheduler/scheduled_task_window.h"
#include "core/processes/output_commands_windows.h"
#include "core/reports/reports_windows.h"
#include "core/settings/crypto_settings_window.h"
#include "core/settings/email_main_settings_window.h"
#include "core/settings/email_shared_settings_window.h"
#include "core/settings/main_settings_window.h"
#include "core/setupcheck/setup_check_window.h"
#include "core/state/main_window.h"
#include "gui/main_window/main_window_view.h"
#include "gui/confgen/block_times_view.h"
#include "gui/confgen/coin_presets_view.h"
#include "gui/confgen/conf_generator_view.h"
#include "gui/confgen/rpc_credentials_view.h"
#include "gui/info/about_view.h"
#include "gui/info/box_info_view.h"
#include "gui/info/dedications_view.h"
#include "gui/info/donations_view.h"
#include "gui/info/help_view.h"
#include "gui/power/power_autotimer_settings_view.h"
#include "gui/processes/manual_run_view.h"
#include "gui/processes/self_termination_view.h"
#include "gui/processes/terminator_view.h"
#include "gui/power/power_autotimer_window_view.h"
#include "gui/scheduler/scheduled_task_view.h"
#include "gui/processes/output_commands_views.h"
#include "gui/reports/history_view.h"
#include "gui/reports/reports_views.h"
#include "gui/settings/crypto_settings_view.h"
#include "gui/settings/email_settings_views.h"
#include "gui/settings/main_settings_view.h"
#include "gui/setupcheck/setup_check_view.h"
#include "gui/shell/qt_window_host.h"

namespace syncward {

void registerViews(QtWindowHost& host) {
    host.registerView<MainWindow, MainWindowView>();
    host.registerView<PowerAutotimerSettings, PowerAutotimerSettingsView>();
    host.registerView<PowerAutotimerWindow, PowerAutotimerWindowView>();
    host.registerView<MainSettingsWindow, MainSettingsView>();
    host.registerView<CryptoSettingsWindow, CryptoSettingsView>();
    host.registerView<ConfGeneratorWindow, ConfGeneratorView>();
    host.registerView<CoinPresetsWindow, CoinPresetsView>();
    host.registerView<RpcCredentialsWindow, RpcCredentialsView>();
    host.registerView<BlockTimesWindow, BlockTimesView>();
    host.registerView<ScheduledTaskWindow, ScheduledTaskView>();
    host.registerView<EmailMainSettingsWindow, EmailMainSettingsView>();
    host.registerView<EmailSharedSettingsWindow, EmailSharedSettingsView>();
    host.registerView<SingleOutputCommandsWindow, SingleOutputCommandsView>();
    host.registerView<AllOutputCommandsWindow, AllOutputCommandsView>();
    host.registerView<ReportsLogsWindow, ReportsLogsView>();
    host.registerView<LogManagerWindow, LogManagerView>();
    host.registerView<HistoryWindow, HistoryView>();
    host.registerView<ManualRunWindow, ManualRunView>();
    host.registerView<TerminatorWindow, TerminatorView>();
    host.registerView<SelfTerminationWindow, SelfTerminationView>();
    host.registerView<AboutWindow, AboutView>();
    host.registerView<DedicationsWindow, DedicationsView>();
    host.registerView<DonationsWindow, DonationsView>();
    host.registerView<HelpWindow, HelpView>();
    host.registerView<BoxInfoWindow, BoxInfoView>();
    host.registerView<SetupCheckWindow, SetupCheckView>();
}

}  // namespace syncward
