#include "gui/main_window/main_window_view.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>

#include "core/state/main_window.h"
#include "gui/main_window/kitt_scanner_view.h"
#include "gui/shell/form_binder.h"
#include "gui/shell/steady_box.h"

namespace syncward {

namespace {

QLabel* caption(const char* text) { return new QLabel(text); }

// At least as wide as the longest of the texts the box shows, so that none
// of them is cut off: the text, the two pixels a line edit keeps clear and
// its frame on either side, and the cursor.
QLineEdit* fitting(QLineEdit* box, std::initializer_list<QString> texts) {
    int widest = 0;
    for (const QString& text : texts) widest = std::max(widest, box->fontMetrics().horizontalAdvance(text));
    const int frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
    box->setMinimumWidth(widest + 2 * (frame + 2) + 2);
    return box;
}

// A button as narrow as its captions allow, with room for its frame and a
// little air, rather than the style's usual minimum, where a row has little
// room.
QWidget* compact(QWidget* button, std::initializer_list<QString> captions) {
    int widest = 0;
    for (const QString& text : captions) widest = std::max(widest, button->fontMetrics().horizontalAdvance(text));
    button->setMinimumWidth(widest + 20);
    return button;
}

QWidget* startStop(QWidget* button) { return compact(button, {"START", "STOP"}); }

// A time of day or a countdown, "hh:mm:ss".
QLineEdit* timeBox(QLineEdit* box) { return fitting(box, {"00:00:00"}); }

QString indexed(const char* prefix, int n, const char* suffix) { return QString("%1%2%3").arg(prefix).arg(n).arg(suffix); }

// Group boxes and tab pages sit close together so that the whole window
// fits a small screen.
template <typename L>
L* tight(L* layout) {
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(4);
    return layout;
}

}  // namespace

// The run's steps and its record share the left, one page each, since a
// screen 1280 pixels wide has no room for both beside the rest; the start
// and close countdowns and the process lights sit in the middle, the block
// counter on the right.
MainWindowView::MainWindowView(MainWindow& model, QWidget* parent) : FormView(model, parent) {
    auto* pages = new QTabWidget;
    pages->addTab(runStepsPage(), "MULTILOADER");
    pages->addTab(runRecordPage(), "RUN RECORD");

    auto* middle = new QVBoxLayout;
    middle->setSpacing(4);
    middle->addWidget(countdownsGroup());
    middle->addWidget(processesAndLightsGroup());
    middle->addStretch(1);

    auto* top = new QHBoxLayout;
    top->setSpacing(6);
    top->addWidget(pages);
    top->addLayout(middle);
    top->addWidget(blockCounterGroup(), 1);

    // Long statuses wrap onto a second line rather than widen the window.
    auto* status = new QHBoxLayout;
    status->addWidget(caption("CURRENT STATUS:"), 0, Qt::AlignTop);
    auto* statusLabel = control<QLabel>("CURRENT_STATUS_LABEL");
    statusLabel->setWordWrap(true);
    statusLabel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    statusLabel->setMinimumHeight(2 * statusLabel->fontMetrics().lineSpacing());
    statusLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    status->addWidget(statusLabel, 1);
    status->addWidget(control("APP_EXE_NAME_LABEL"), 0, Qt::AlignTop);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addLayout(top, 1);
    layout->addLayout(status);
    layout->addWidget(buttonsRow());
    bindControls();

    // The process names come from the platform's profile, known once bound.
    for (int n = 1; n <= MainWindow::processBoxCount; ++n) {
        auto* box = findChild<QLineEdit*>(indexed("PROCESS_TEXTBOX_", n, ""));
        fitting(box, {box->text()});
    }
}

QWidget* MainWindowView::runStepsPage() {
    auto* page = new QWidget;
    auto* column = tight(new QVBoxLayout(page));

    auto* steps = new QGridLayout;
    steps->setHorizontalSpacing(6);
    steps->setVerticalSpacing(1);
    for (int step = 1; step <= MainWindow::stepCount; ++step) {
        const int gridColumn = step <= 10 ? 0 : 2;
        const int row = step <= 10 ? step - 1 : step - 11;
        auto* light = control<QLineEdit>(indexed("TASK_", step, "_LIGHT"));
        // A little lower than an entry box: nineteen of them stand in two columns.
        light->setFixedSize(28, light->fontMetrics().height() + 6);
        light->setAlignment(Qt::AlignCenter);
        steps->addWidget(light, row, gridColumn);
        steps->addWidget(new QLabel(QString::fromStdString(MainWindow::stepName(step))), row, gridColumn + 1);
    }
    column->addLayout(steps);

    auto* switches = new QGridLayout;
    switches->setVerticalSpacing(0);
    const char* names[] = {"TASK_2_ENABLE_TICKBOX",  "TASK_4_ENABLE_TICKBOX",  "RUN_QT_TICKBOX",
                           "RUN_DAEMON_TICKBOX",     "TASK_8_ENABLE_TICKBOX",  "TASK_11_ENABLE_TICKBOX",
                           "TASK_17_ENABLE_TICKBOX", "TASK_18_ENABLE_TICKBOX", "TASK_19_ENABLE_TICKBOX",
                           "TASK_20_ENABLE_TICKBOX"};
    for (int i = 0; i < 10; ++i) switches->addWidget(control(names[i]), i / 2, i % 2);
    column->addLayout(switches);
    column->addStretch(1);
    return page;
}

QWidget* MainWindowView::countdownsGroup() {
    auto* group = new QGroupBox("AUTOSTART / AUTOCLOSE");
    auto* grid = tight(new QGridLayout(group));
    grid->addWidget(control("AUTOSTART_TICKBOX"), 0, 0);
    grid->addWidget(startStop(control("MULTILOADER_START_STOP_BUTTON")), 0, 1, 1, 2);
    grid->addWidget(caption("AUTOSTART IN:"), 1, 0);
    grid->addWidget(fitting(control<QLineEdit>("AUTOSTART_TIMER_TEXTBOX"), {"000"}), 1, 1);
    grid->addWidget(startStop(control("AUTOSTART_START_BUTTON")), 1, 2);
    grid->addWidget(caption("AUTOCLOSE IN:"), 2, 0);
    grid->addWidget(fitting(control<QLineEdit>("AUTOCLOSE_TIMER_TEXTBOX"), {"000"}), 2, 1);
    grid->addWidget(startStop(control("AUTOCLOSE_START_BUTTON")), 2, 2);
    grid->addWidget(caption("FINAL ACTION:"), 3, 0, 1, 3);
    grid->addWidget(fitting(control<QLineEdit>("AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX"), {main_texts::noActionSet}), 4,
                    0, 1, 3);
    grid->addWidget(fitting(control<QLineEdit>("AUTOTIMER_ACTION_TEXTBOX"), {"LOGOFF CURRENT USER"}), 5, 0, 1, 3);
    return group;
}

QWidget* MainWindowView::blockCounterGroup() {
    auto* group = new QGroupBox("BLOCKCOUNTER");
    auto* grid = tight(new QGridLayout(group));
    grid->addWidget(caption("Run Every: (hh:mm:ss)"), 0, 0);
    grid->addWidget(timeBox(control<QLineEdit>("USER_COUNT_TIME_TEXTBOX")), 0, 1);
    grid->addWidget(startStop(control("START_STOP_TIMER_BUTTON")), 0, 2);
    grid->addWidget(caption("Next Run: (hh:mm:ss)"), 1, 0);
    grid->addWidget(timeBox(control<QLineEdit>("BLOCKCOUNT_TIMER_TEXTBOX")), 1, 1);
    grid->addWidget(compact(control("RUN_NOW_BUTTON"), {"Run Now"}), 1, 2);
    grid->addWidget(caption("Current Block Number"), 2, 0);
    grid->addWidget(control("CURRENT_BLOCK_TEXTBOX"), 2, 1, 1, 2);
    grid->addWidget(caption("Last Known Block Number"), 3, 0);
    grid->addWidget(control("LAST_BLOCKCOUNT_TEXTBOX"), 3, 1, 1, 2);

    auto* indicators = new QGridLayout;
    indicators->setSpacing(4);
    int n = 0;
    for (const char* name : {"IDENTICAL_TEXTBOX", "VERIFYING_TEXTBOX", "TRIPLE_CHECK_TEXTBOX", "CONFIRMED_TEXTBOX"}) {
        auto* box = control<QLineEdit>(name);
        box->setAlignment(Qt::AlignCenter);
        indicators->addWidget(fitting(box, {"TRIPLE-CHECK"}), n / 2, n % 2);
        ++n;
    }
    grid->addLayout(indicators, 4, 0, 1, 3);
    // Whether the node itself is asked before the chain counts as caught
    // up, beside the switch that lets the counts finish the phase.
    auto* finish = new QHBoxLayout;
    finish->addWidget(control("FINISH_WHEN_IDENTICAL_TICKBOX"));
    finish->addWidget(control("CONFIRM_WITH_NODE_TICKBOX"));
    finish->addStretch(1);
    grid->addLayout(finish, 5, 0, 1, 3);
    grid->addWidget(control("TIP_AGE_LIMIT_TICKBOX"), 6, 0);
    grid->addWidget(timeBox(control<QLineEdit>("TIP_AGE_LIMIT_TEXTBOX")), 6, 1);
    grid->addWidget(compact(control("TIP_AGE_SUGGEST_BUTTON"), {"Suggest"}), 6, 2);
    grid->addWidget(control("FINISH_BLOCKCOUNTER_BUTTON"), 7, 0, 1, 3);
    grid->addWidget(control("OVERRIDE_TIMER_ENABLE_TICKBOX"), 8, 0);
    grid->addWidget(timeBox(control<QLineEdit>("USER_OVERRIDE_TIME_TEXTBOX")), 8, 1);
    grid->addWidget(startStop(control("START_OVERRIDE_BUTTON")), 8, 2);
    grid->addWidget(control("AUTOSTART_OVERRIDE_TIMER_TICKBOX"), 9, 0);
    grid->addWidget(timeBox(control<QLineEdit>("OVERRIDE_TIMER_TEXTBOX")), 9, 1);
    grid->addWidget(caption("BLOCKCOUNTER LAST RUN:"), 10, 0, 1, 3);
    grid->addWidget(fitting(control<QLineEdit>("BLOCKCOUNTER_LAST_RUN_TEXTBOX"),
                            {main_texts::completedSuccessfully, "!!! OVERRIDE TIMER ACTIVATED !!!"}),
                    11, 0, 1, 3);
    grid->setRowStretch(12, 1);
    return group;
}

QWidget* MainWindowView::runRecordPage() {
    auto* page = new QWidget;
    auto* grid = tight(new QGridLayout(page));
    // Two label and value pairs a row; the values are short.
    auto pair = [&](int row, int at, const char* label, const char* box) {
        grid->addWidget(caption(label), row, at);
        grid->addWidget(control(box), row, at + 1);
    };
    pair(0, 0, "Date:", "DATE_TEXTBOX");
    pair(0, 2, "Started:", "START_TIME_TEXTBOX");
    grid->addWidget(control("PC_NAME_TEXTBOX"), 1, 0, 1, 4);

    // The six unit lines of each size right under each other: small
    // fixed-pitch digits, no wrapping; before and after side by side.
    int at = 0;
    for (const auto& [label, box, button] : {std::tuple{"Blockchain Size - Before:", "BC_FOLDER_SIZE_BEFORE", "FFS_RUN_1_BUTTON"},
                                             std::tuple{"Blockchain Size - After:", "BC_FOLDER_SIZE_AFTER", "FFS_RUN_2_BUTTON"}}) {
        auto* sizes = multiline(box);
        sizes->setLineWrapMode(QPlainTextEdit::NoWrap);
        QFont digits = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        digits.setPointSizeF(digits.pointSizeF() * 0.8);
        sizes->setFont(digits);
        sizes->setFixedHeight(6 * QFontMetrics(digits).lineSpacing() + 12);
        sizes->setMinimumWidth(24 * QFontMetrics(digits).horizontalAdvance('0'));
        sizes->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        sizes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        auto* head = new QHBoxLayout;
        head->addWidget(caption(label), 1);
        head->addWidget(compact(control(button), {"Run"}));
        grid->addLayout(head, 2, at, 1, 2);
        grid->addWidget(sizes, 3, at, 1, 2);
        at += 2;
    }

    pair(4, 0, "BlockCount Start:", "BLOCKCOUNT_LOG_START_TEXTBOX");
    pair(4, 2, "BlockCount End:", "BLOCKCOUNT_LOG_END_TEXTBOX");
    pair(5, 0, "Blocks Downloaded:", "DOWNLOADED_BLOCKS_TEXTBOX");
    pair(5, 2, "Finished:", "END_TIME_TEXTBOX");
    pair(6, 0, "Total Run Time:", "TOTAL_RUNTIME_TEXTBOX");
    grid->addWidget(caption("Running For:"), 6, 2);
    grid->addWidget(new SteadyBox(control("RUNTIME_LABEL")), 6, 3);
    grid->addWidget(caption("MULTILOADER LAST RUN:"), 7, 0, 1, 4);
    grid->addWidget(fitting(control<QLineEdit>("MULTILOADER_LAST_RUN_TEXTBOX"),
                            {main_texts::completedSuccessfully, main_texts::manualExit}),
                    8, 0, 1, 4);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(9, 1);
    return page;
}

QWidget* MainWindowView::processesAndLightsGroup() {
    auto* group = new QGroupBox("PROCESSES / HEARTBEAT");
    auto* grid = tight(new QGridLayout(group));
    // Two by two, each wide enough for its process name.
    for (int n = 1; n <= MainWindow::processBoxCount; ++n) {
        auto* box = control<QLineEdit>(indexed("PROCESS_TEXTBOX_", n, ""));
        box->setAlignment(Qt::AlignCenter);
        grid->addWidget(box, (n - 1) / 2, (n - 1) % 2 * 2, 1, 2);
    }

    grid->addWidget(new KittScannerView(this), 2, 0, 1, 4);
    grid->addWidget(control("KITT_START_BUTTON"), 3, 0, 1, 2);
    grid->addWidget(timeBox(control<QLineEdit>("HEARTBEAT_COUNTDOWN_DISPLAY_TEXTBOX")), 3, 2, 1, 2);
    grid->addWidget(control("VERT_NUM_LIGHT_LABEL"), 4, 0);
    grid->addWidget(control("VERT_CAPS_LIGHT_LABEL"), 4, 1);
    grid->addWidget(control("VERT_SCROLL_LIGHT_LABEL"), 4, 2);
    grid->addWidget(control("ALWAYS_ON_TOP_TICKBOX"), 5, 0, 1, 4);
    return group;
}

QWidget* MainWindowView::buttonsRow() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    for (const char* name : {"SETTINGS_BUTTON", "MANUAL_RUN_BUTTON", "TERMINATOR_BUTTON", "BLOCK_TIMES_WINDOW_BUTTON",
                             "END_LOG_BUTTON", "HISTORY_BUTTON", "ABOUT_BUTTON", "HELP_BUTTON", "BOX_INFO_BUTTON", "EXIT_BUTTON"})
        layout->addWidget(control(name));
    return row;
}

}  // namespace syncward
