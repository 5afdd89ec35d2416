#include "gui/scheduler/scheduled_task_view.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/scheduler/scheduled_task_window.h"

namespace syncward {

ScheduledTaskView::ScheduledTaskView(ScheduledTaskWindow& model, QWidget* parent) : FormView(model, parent) {
    auto* heading = control<QLabel>("SCHEDULER_HEADING_LABEL");
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    heading->setAlignment(Qt::AlignCenter);

    auto* task = new QGridLayout;
    task->addWidget(new QLabel("Task Name"), 0, 0);
    task->addWidget(control("TASK_NAME_TEXTBOX"), 0, 1);
    task->addWidget(new QLabel("Run Time"), 1, 0);
    auto* time = control<QLineEdit>("TASK_RUN_TIME_TEXTBOX");
    time->setMaximumWidth(time->fontMetrics().horizontalAdvance("000:000") + 16);
    task->addWidget(time, 1, 1, Qt::AlignLeft);
    auto* nextRun = control<QLabel>("NEXT_RUN_LABEL");
    nextRun->setWordWrap(true);
    task->addWidget(nextRun, 2, 0, 1, 2);

    auto* days = new QGroupBox("SELECT AN OPTION");
    auto* dayGrid = new QGridLayout(days);
    dayGrid->addWidget(control("SELECT_ALL_DAYS_TICKBOX"), 0, 0);
    const char* dayNames[] = {"MON_TICKBOX", "TUE_TICKBOX", "WED_TICKBOX", "THU_TICKBOX",
                              "FRI_TICKBOX", "SAT_TICKBOX", "SUN_TICKBOX"};
    for (int i = 0; i < 7; ++i) dayGrid->addWidget(control(dayNames[i]), 1 + i % 4, i / 4);

    auto* switches = new QVBoxLayout;
    switches->addWidget(control("ENABLE_SCHED_TASK_TICKBOX"));
    switches->addWidget(control("CATCH_UP_TICKBOX"));
    switches->addWidget(control("ONLY_VIEW_COMMAND_TICKBOX"));
    switches->addWidget(control("ENABLE_DELETE_BUTTON_TICKBOX"));
    auto* note = multiline("SCHEDULER_NOTE_TEXTBOX");
    note->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    note->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    note->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    note->setFixedHeight(note->fontMetrics().lineSpacing() * 4 + 12);
    switches->addWidget(note);
    switches->addStretch(1);

    auto* middle = new QHBoxLayout;
    middle->addWidget(days);
    middle->addLayout(switches, 1);

    auto* options = multiline("COMMAND_LINE_OPTIONS_TEXTBOX");
    options->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto* status = control<QLabel>("SCHEDULER_STATUS_LABEL");
    status->setWordWrap(true);
    status->setAlignment(Qt::AlignCenter);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(control("CREATE_TASK_BUTTON"));
    buttons->addWidget(control("DELETE_TASK_BUTTON"));
    buttons->addStretch(1);
    buttons->addWidget(control("OK_BUTTON"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(task);
    layout->addLayout(middle);
    layout->addWidget(new QLabel("Output Command"));
    layout->addWidget(control("OUTPUT_COMMAND_TEXTBOX"));
    layout->addWidget(new QLabel("Command Line Options"));
    layout->addWidget(options, 1);
    layout->addWidget(status);
    layout->addLayout(buttons);
    bindControls();
}

}  // namespace syncward
