#include "gui/settings/main_settings_view.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/settings/main_settings_window.h"

namespace syncward {

MainSettingsView::MainSettingsView(MainSettingsWindow& model, QWidget* parent) : FormView(model, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(homeFolderGroup());
    layout->addWidget(confFileGroup());
    layout->addWidget(heartbeatGroup());
    layout->addWidget(windowButtons());
    bindControls();
}

QWidget* MainSettingsView::homeFolderGroup() {
    auto* group = new QGroupBox("SYNCWARD - HOME FOLDER");
    auto* grid = new QGridLayout(group);
    grid->addWidget(control("SYNCWARD_HOME_TEXTBOX"), 0, 0, 1, 4);
    auto* browse = control("BROWSE_FOLDER_BUTTON");
    browse->setFixedWidth(32);
    grid->addWidget(browse, 0, 4);
    grid->addWidget(control("USE_CURRENT_BUTTON"), 1, 0);
    grid->addWidget(control("USE_DEFAULT_BUTTON"), 1, 1);
    grid->addWidget(control("DEFAULT_FOLDER_LABEL"), 1, 2);
    grid->addWidget(control("CREATE_FOLDERS_BUTTON"), 1, 3, 1, 2);
    auto* help = control<QLabel>("HELP_LABEL");
    help->setWordWrap(true);
    help->setMinimumHeight(2 * help->fontMetrics().lineSpacing() + 4);
    grid->addWidget(help, 2, 0, 1, 5);
    grid->addWidget(new QLabel("STATUS:"), 3, 0);
    grid->addWidget(control("MESSAGE_STATUS_TEXTBOX"), 3, 1, 1, 4);
    grid->setColumnStretch(2, 1);
    return group;
}

QWidget* MainSettingsView::confFileGroup() {
    auto* group = new QGroupBox("CRYPTO \".CONF\" FILE");
    auto* grid = new QGridLayout(group);
    grid->addWidget(control("USE_OWN_CONF_TICKBOX"), 0, 0);
    grid->addWidget(control("CONF_MANAGER_BUTTON"), 0, 1, 1, 2);
    grid->addWidget(control("CONF_FILE_LOCATION_LABEL"), 1, 0, 1, 3);
    grid->addWidget(control("CONF_FILE_LOCATION_TEXTBOX"), 2, 0, 1, 2);
    auto* browse = control("CONF_BROWSE_BUTTON");
    browse->setFixedWidth(32);
    grid->addWidget(browse, 2, 2);
    grid->setColumnStretch(1, 1);
    return group;
}

QWidget* MainSettingsView::heartbeatGroup() {
    auto* group = new QGroupBox("HEARTBEAT / BLOCK COUNT FILE");
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel("Run KITT \"Num-Lock HeartBeat\" Every:"), 0, 0);
    auto* interval = control("HEARTBEAT_COUNTDOWN_TIME_TEXTBOX");
    interval->setFixedWidth(80);
    grid->addWidget(interval, 0, 1);
    grid->addWidget(new QLabel("Hours : Mins : Secs"), 0, 2);
    grid->addWidget(new QLabel("LATEST BLOCK COUNT FILE:"), 1, 0);
    grid->addWidget(control("GETBLOCKCOUNT_LOG_LOCATION_TEXTBOX"), 1, 1, 1, 3);
    grid->addWidget(control("AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX"), 2, 0, 1, 4);
    grid->setColumnStretch(3, 1);
    return group;
}

QWidget* MainSettingsView::windowButtons() {
    auto* row = new QWidget;
    auto* grid = new QGridLayout(row);
    grid->setContentsMargins(0, 0, 0, 0);
    const char* names[] = {"CRYPTO_SETTINGS_BUTTON", "SE_SETTINGS_BUTTON",          "SCHEDULER_BUTTON",
                           "POWER_AUTOTIMER_BUTTON", "VIEW_OUTPUT_COMMANDS_BUTTON", "REPORTS_LOGS_BUTTON"};
    for (int i = 0; i < 6; ++i) grid->addWidget(control(names[i]), i / 3, i % 3);
    grid->addWidget(control("CHECK_SETUP_BUTTON"), 2, 0);
    grid->addWidget(control("OK_BUTTON"), 2, 1, 1, 2);
    return row;
}

}  // namespace syncward
