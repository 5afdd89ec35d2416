#include "gui/processes/output_commands_views.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "core/processes/output_commands_windows.h"
#include "gui/shell/title_font.h"

namespace syncward {

namespace {

// A command line wraps over a few lines; longer ones scroll.
QPlainTextEdit* commandBox(FormView& view, const char* name, int lines) {
    auto* box = view.multiline(name);
    box->setMinimumHeight(lines * box->fontMetrics().lineSpacing() + 12);
    return box;
}

}  // namespace

SingleOutputCommandsView::SingleOutputCommandsView(SingleOutputCommandsWindow& model, QWidget* parent)
    : FormView(model, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading("OUTPUT COMMANDS - SINGLE WINDOW"));
    auto* selectors = new QGridLayout;
    const char* buttons[] = {"QT_RUN_COMMAND_BUTTON",          "DAEMON_RUN_COMMAND_BUTTON",
                             "CLI_STOP_RUN_COMMAND_BUTTON",    "BLOCKCOUNTER_RUN_COMMAND_BUTTON",
                             "START_EMAIL_RUN_COMMAND_BUTTON", "END_EMAIL_RUN_COMMAND_BUTTON",
                             "NODE_CHECK_RUN_COMMAND_BUTTON"};
    int index = 0;
    for (const char* name : buttons) {
        selectors->addWidget(control(name), index / 3, index % 3);
        ++index;
    }
    layout->addLayout(selectors);
    layout->addWidget(control("COMMAND_NAME_LABEL"));
    layout->addWidget(commandBox(*this, "ALL_COMMANDS_TEXTBOX", 4), 1);
    layout->addWidget(new QLabel("File Location:"));
    layout->addWidget(control("ALL_LOCATIONS_TEXTBOX"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(control("VIEW_ALL_COMMANDS_BUTTON"));
    bottom->addStretch(1);
    bottom->addWidget(control("OK_BUTTON"));
    layout->addLayout(bottom);
    bindControls();
}

AllOutputCommandsView::AllOutputCommandsView(AllOutputCommandsWindow& model, QWidget* parent)
    : FormView(model, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    layout->addWidget(heading("ALL OUTPUT COMMANDS"));
    const char* rows[][3] = {
        {"QT_TITLE_LABEL", "QV_QT_COMMAND_TEXTBOX", "SYNCWARD_QT_BAT_LOCATION_TEXTBOX"},
        {"DAEMON_TITLE_LABEL", "QV_D_COMMAND_TEXTBOX", "SYNCWARD_DAEMON_BAT_LOCATION_TEXTBOX"},
        {"CLI_STOP_TITLE_LABEL", "QVCLI_STOP_COMMAND_TEXTBOX", "SYNCWARD_CLI_STOP_BAT_LOCATION_TEXTBOX"},
        {"BLOCKCOUNTER_TITLE_LABEL", "GETBLOCKCOUNT_COMMAND_SETTINGS_TEXTBOX",
         "SYNCWARD_BLOCKCOUNTER_BAT_LOCATION_TEXTBOX"},
        {"SE_START_TITLE_LABEL", "EMAIL_OUTPUT_START_COMMAND_TEXTBOX", "SYNCWARD_SE_START_BAT_LOCATION_TEXTBOX"},
        {"SE_END_TITLE_LABEL", "EMAIL_OUTPUT_END_COMMAND_TEXTBOX", "SYNCWARD_SE_END_BAT_LOCATION_TEXTBOX"},
        {"NODE_CHECK_TITLE_LABEL", "NODE_CHECK_COMMAND_TEXTBOX", "SYNCWARD_NODE_CHECK_BAT_LOCATION_TEXTBOX"},
    };
    // Each command's title and file on one line, its command below: the
    // seven fit a 1366 x 768 screen with the OK button on it.
    for (const auto& row : rows) {
        auto* heading = new QHBoxLayout;
        heading->addWidget(control(row[0]));
        heading->addSpacing(12);
        heading->addWidget(new QLabel("File Location:"));
        heading->addWidget(control(row[2]), 1);
        layout->addLayout(heading);
        layout->addWidget(commandBox(*this, row[1], 2), 1);
    }
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(control("OK_BUTTON"));
    layout->addLayout(bottom);
    bindControls();
}

}  // namespace syncward
