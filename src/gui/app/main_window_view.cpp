#include "gui/app/main_window_view.h"

#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "core/state/main_window.h"
#include "gui/shell/form_binder.h"

namespace syncward {

namespace {

QLabel* caption(const char* text) { return new QLabel(text); }

template <typename W>
W* narrow(W* widget, int width) {
    widget->setFixedWidth(width);
    return widget;
}

QString indexed(const char* prefix, int n, const char* suffix) { return QString("%1%2%3").arg(prefix).arg(n).arg(suffix); }

}  // namespace

MainWindowView::MainWindowView(MainWindow& model, QWidget* parent) : FormView(model, parent) {
    auto* top = new QHBoxLayout;
    top->addWidget(runStepsGroup());
    auto* middle = new QVBoxLayout;
    middle->addWidget(blockCounterGroup());
    middle->addWidget(processesAndLightsGroup());
    top->addLayout(middle);
    top->addWidget(runRecordGroup());

    auto* status = new QHBoxLayout;
    status->addWidget(caption("CURRENT STATUS:"));
    auto* statusLabel = control("CURRENT_STATUS_LABEL");
    statusLabel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    status->addWidget(statusLabel, 1);
    status->addWidget(control("APP_EXE_NAME_LABEL"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(status);
    layout->addWidget(buttonsRow());
    bindControls();
}

QWidget* MainWindowView::runStepsGroup() {
    auto* group = new QGroupBox("MULTILOADER");
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(1);
    for (int step = 1; step <= MainWindow::stepCount; ++step) {
        const int column = step <= 10 ? 0 : 2;
        const int row = step <= 10 ? step - 1 : step - 11;
        auto* light = control<QLineEdit>(indexed("TASK_", step, "_LIGHT"));
        light->setFixedWidth(28);
        light->setAlignment(Qt::AlignCenter);
        grid->addWidget(light, row, column);
        grid->addWidget(new QLabel(QString::fromStdString(MainWindow::stepName(step))), row, column + 1);
    }

    auto* switches = new QGridLayout;
    const char* names[] = {"TASK_2_ENABLE_TICKBOX",  "TASK_4_ENABLE_TICKBOX",  "RUN_QT_TICKBOX",
                           "RUN_DAEMON_TICKBOX",     "TASK_8_ENABLE_TICKBOX",  "TASK_11_ENABLE_TICKBOX",
                           "TASK_17_ENABLE_TICKBOX", "TASK_18_ENABLE_TICKBOX", "TASK_19_ENABLE_TICKBOX",
                           "TASK_20_ENABLE_TICKBOX"};
    for (int i = 0; i < 10; ++i) switches->addWidget(control(names[i]), i / 2, i % 2);
    grid->addLayout(switches, 10, 0, 1, 4);

    auto* countdowns = new QGridLayout;
    countdowns->addWidget(control("AUTOSTART_TICKBOX"), 0, 0);
    countdowns->addWidget(caption("AUTOSTART IN:"), 0, 1);
    countdowns->addWidget(narrow(control("AUTOSTART_TIMER_TEXTBOX"), 44), 0, 2);
    countdowns->addWidget(control("AUTOSTART_START_BUTTON"), 0, 3);
    countdowns->addWidget(control("MULTILOADER_START_STOP_BUTTON"), 1, 0);
    countdowns->addWidget(caption("AUTOCLOSE IN:"), 1, 1);
    countdowns->addWidget(narrow(control("AUTOCLOSE_TIMER_TEXTBOX"), 44), 1, 2);
    countdowns->addWidget(control("AUTOCLOSE_START_BUTTON"), 1, 3);
    countdowns->addWidget(caption("FINAL ACTION:"), 2, 0);
    countdowns->addWidget(control("AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX"), 2, 1, 1, 3);
    countdowns->addWidget(control("AUTOTIMER_ACTION_TEXTBOX"), 3, 1, 1, 3);
    grid->addLayout(countdowns, 11, 0, 1, 4);
    return group;
}

QWidget* MainWindowView::blockCounterGroup() {
    auto* group = new QGroupBox("BLOCKCOUNTER");
    auto* grid = new QGridLayout(group);
    grid->addWidget(caption("Run Every: (hh:mm:ss)"), 0, 0);
    grid->addWidget(narrow(control("USER_COUNT_TIME_TEXTBOX"), 80), 0, 1);
    grid->addWidget(control("START_STOP_TIMER_BUTTON"), 0, 2);
    grid->addWidget(caption("Next Run: (hh:mm:ss)"), 1, 0);
    grid->addWidget(narrow(control("BLOCKCOUNT_TIMER_TEXTBOX"), 80), 1, 1);
    grid->addWidget(control("RUN_NOW_BUTTON"), 1, 2);
    grid->addWidget(caption("Current Block Number"), 2, 0);
    grid->addWidget(control("CURRENT_BLOCK_TEXTBOX"), 2, 1, 1, 2);
    grid->addWidget(caption("Last Known Block Number"), 3, 0);
    grid->addWidget(control("LAST_BLOCKCOUNT_TEXTBOX"), 3, 1, 1, 2);

    auto* indicators = new QHBoxLayout;
    for (const char* name : {"IDENTICAL_TEXTBOX", "VERIFYING_TEXTBOX", "TRIPLE_CHECK_TEXTBOX", "CONFIRMED_TEXTBOX"}) {
        auto* box = control<QLineEdit>(name);
        box->setAlignment(Qt::AlignCenter);
        indicators->addWidget(box);
    }
    grid->addLayout(indicators, 4, 0, 1, 3);
    grid->addWidget(control("FINISH_WHEN_IDENTICAL_TICKBOX"), 5, 0);
    grid->addWidget(control("FINISH_BLOCKCOUNTER_BUTTON"), 5, 1, 1, 2);

    grid->addWidget(control("OVERRIDE_TIMER_ENABLE_TICKBOX"), 6, 0);
    grid->addWidget(narrow(control("USER_OVERRIDE_TIME_TEXTBOX"), 80), 6, 1);
    grid->addWidget(control("START_OVERRIDE_BUTTON"), 6, 2);
    grid->addWidget(control("AUTOSTART_OVERRIDE_TIMER_TICKBOX"), 7, 0);
    grid->addWidget(narrow(control("OVERRIDE_TIMER_TEXTBOX"), 80), 7, 1);
    grid->addWidget(caption("BLOCKCOUNTER LAST RUN:"), 8, 0);
    grid->addWidget(control("BLOCKCOUNTER_LAST_RUN_TEXTBOX"), 8, 1, 1, 2);
    return group;
}

QWidget* MainWindowView::runRecordGroup() {
    auto* group = new QGroupBox("RUN RECORD");
    auto* form = new QFormLayout(group);
    form->addRow("Date:", control("DATE_TEXTBOX"));
    form->addRow("Started:", control("START_TIME_TEXTBOX"));
    form->addRow("", control("PC_NAME_TEXTBOX"));
    for (const auto& [label, box, button] : {std::tuple{"Blockchain Size - Before:", "BC_FOLDER_SIZE_BEFORE", "FFS_RUN_1_BUTTON"},
                                             std::tuple{"Blockchain Size - After:", "BC_FOLDER_SIZE_AFTER", "FFS_RUN_2_BUTTON"}}) {
        auto* row = new QHBoxLayout;
        // Six unit lines, right under each other: small fixed-pitch digits, no wrapping.
        auto* sizes = multiline(box);
        sizes->setLineWrapMode(QPlainTextEdit::NoWrap);
        QFont digits = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        digits.setPointSizeF(digits.pointSizeF() * 0.8);
        sizes->setFont(digits);
        sizes->setFixedHeight(6 * QFontMetrics(digits).lineSpacing() + 12);
        sizes->setMinimumWidth(24 * QFontMetrics(digits).horizontalAdvance('0'));
        sizes->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        sizes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        row->addWidget(sizes, 1);
        row->addWidget(control(button));
        form->addRow(label, row);
    }
    form->addRow("BlockCount Start:", control("BLOCKCOUNT_LOG_START_TEXTBOX"));
    form->addRow("BlockCount End:", control("BLOCKCOUNT_LOG_END_TEXTBOX"));
    form->addRow("Blocks Downloaded:", control("DOWNLOADED_BLOCKS_TEXTBOX"));
    form->addRow("Finished:", control("END_TIME_TEXTBOX"));
    form->addRow("Total Run Time:", control("TOTAL_RUNTIME_TEXTBOX"));
    form->addRow("Running For:", control("RUNTIME_LABEL"));
    form->addRow("MULTILOADER LAST RUN:", control("MULTILOADER_LAST_RUN_TEXTBOX"));
    return group;
}

QWidget* MainWindowView::processesAndLightsGroup() {
    auto* group = new QGroupBox("PROCESSES / HEARTBEAT");
    auto* grid = new QGridLayout(group);
    for (int n = 1; n <= MainWindow::processBoxCount; ++n) {
        auto* box = control<QLineEdit>(indexed("PROCESS_TEXTBOX_", n, ""));
        box->setAlignment(Qt::AlignCenter);
        grid->addWidget(box, 0, n - 1);
    }

    auto* kitt = control("KITT_BACKGROUND_LABEL");
    kitt->setMinimumHeight(22);
    auto* scanner = new QHBoxLayout(kitt);
    scanner->setContentsMargins(4, 4, 4, 4);
    for (int n = 1; n <= MainWindow::kittLabelCount; ++n)
        scanner->addWidget(control(indexed("KITT_LABEL_", n, "")));
    grid->addWidget(kitt, 1, 0, 1, 3);
    grid->addWidget(control("KITT_START_BUTTON"), 1, 3);
    grid->addWidget(control("HEARTBEAT_COUNTDOWN_DISPLAY_TEXTBOX"), 2, 0);
    grid->addWidget(control("VERT_NUM_LIGHT_LABEL"), 2, 1);
    grid->addWidget(control("VERT_CAPS_LIGHT_LABEL"), 2, 2);
    grid->addWidget(control("VERT_SCROLL_LIGHT_LABEL"), 2, 3);
    grid->addWidget(control("ALWAYS_ON_TOP_TICKBOX"), 3, 0, 1, 2);
    return group;
}

QWidget* MainWindowView::buttonsRow() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (const char* name : {"SETTINGS_BUTTON", "MANUAL_RUN_BUTTON", "TERMINATOR_BUTTON", "BLOCK_TIMES_WINDOW_BUTTON",
                             "END_LOG_BUTTON", "ABOUT_BUTTON", "HELP_BUTTON", "BOX_INFO_BUTTON", "EXIT_BUTTON"})
        layout->addWidget(control(name));
    return row;
}

}  // namespace syncward
