#include "gui/settings/email_settings_views.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "core/settings/email_main_settings_window.h"
#include "core/settings/email_shared_settings_window.h"

namespace syncward {

namespace {

QHBoxLayout* statusRow(FormView& view) {
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("STATUS:"));
    row->addWidget(view.control("MESSAGE_STATUS_TEXTBOX"), 1);
    return row;
}

}  // namespace

QWidget* mailSettingsGroup(FormView& view) {
    auto* group = new QGroupBox("EMAIL");
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(3);
    grid->addWidget(view.control("SE_HOME_LABEL"), 0, 0, 1, 4);
    grid->addWidget(view.control("SE_HOME_TEXTBOX"), 1, 0, 1, 2);
    auto* use = view.control("USE_SE_HOME_BUTTON");
    use->setFixedWidth(40);
    grid->addWidget(use, 1, 2);
    auto* browse = view.control("SE_HOME_BROWSE_BUTTON");
    browse->setFixedWidth(28);
    grid->addWidget(browse, 1, 3);

    const char* fields[][2] = {
        {"SMTP SERVER:PORT - e.g. IP:25 or FQDN:25", "SMTP_SERVER_ADDRESS_PORT_TEXTBOX"},
        {"SMTP Username", "SMTP_USERNAME_TEXTBOX"},
        {"Password", "SMTP_PASSWORD_TEXTBOX"},
        {"From", "SEND_FROM_ADDRESS_TEXTBOX"},
        {"To", "SEND_TO_ADDRESS_TEXTBOX"},
        {"Cc", "SEND_CC_ADDRESS_TEXTBOX"},
        {"Bcc", "SEND_BCC_ADDRESS_TEXTBOX"},
    };
    int row = 2;
    for (const auto& field : fields) {
        grid->addWidget(new QLabel(field[0]), row, 0);
        grid->addWidget(view.control(field[1]), row, 1, 1, 3);
        ++row;
    }
    grid->addWidget(view.control("SHOW_PASSWORD_TICKBOX"), 4, 4);

    auto* tls = new QGroupBox("TLS");
    auto* ticks = new QVBoxLayout(tls);
    ticks->setContentsMargins(6, 2, 6, 2);
    for (const char* name : {"TLS_NO_TICKBOX", "TLS_YES_TICKBOX", "TLS_AUTO_TICKBOX"}) ticks->addWidget(view.control(name));
    grid->addWidget(tls, 5, 4, 4, 1, Qt::AlignTop);
    grid->setColumnStretch(1, 1);
    return group;
}

EmailMainSettingsView::EmailMainSettingsView(EmailMainSettingsWindow& model, QWidget* parent) : FormView(model, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(mailSettingsGroup(*this));

    auto* commands = new QGroupBox("COMMANDS");
    auto* grid = new QGridLayout(commands);
    grid->setVerticalSpacing(2);
    auto* ticks = new QHBoxLayout;
    ticks->addWidget(control("REPORT_AS_ATTACHMENT_TICKBOX"));
    ticks->addWidget(control("INCLUDE_HISTORY_IN_REPORT_MAIL_TICKBOX"));
    ticks->addStretch(1);
    grid->addLayout(ticks, 0, 0, 1, 2);
    grid->addWidget(new QLabel("START SUBJECT:"), 1, 0);
    grid->addWidget(control("START_EMAIL_SUBJECT_TEXTBOX"), 1, 1);
    grid->addWidget(new QLabel("END SUBJECT:"), 2, 0);
    grid->addWidget(control("END_EMAIL_SUBJECT_TEXTBOX"), 2, 1);
    const char* lines[][2] = {{"START EMAIL:", "EMAIL_OUTPUT_START_COMMAND_TEXTBOX"},
                              {"END EMAIL:", "EMAIL_OUTPUT_END_COMMAND_TEXTBOX"}};
    int row = 3;
    for (const auto& line : lines) {
        grid->addWidget(new QLabel(line[0]), row, 0, Qt::AlignTop);
        auto* box = multiline(line[1]);
        box->setMinimumHeight(3 * box->fontMetrics().lineSpacing() + 12);
        grid->addWidget(box, row, 1);
        ++row;
    }
    grid->setColumnStretch(1, 1);
    layout->addWidget(commands, 1);
    layout->addLayout(statusRow(*this));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(control("SHARED_SETTINGS_BUTTON"));
    buttons->addWidget(control("VIEW_OUTPUT_COMMANDS_BUTTON"));
    buttons->addStretch(1);
    buttons->addWidget(control("OK_BUTTON"));
    buttons->addWidget(control("CANCEL_BUTTON"));
    layout->addLayout(buttons);
    bindControls();
}

EmailSharedSettingsView::EmailSharedSettingsView(EmailSharedSettingsWindow& model, QWidget* parent)
    : FormView(model, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(mailSettingsGroup(*this));
    layout->addStretch(1);
    layout->addLayout(statusRow(*this));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(control("USE_THESE_SHARED_SETTINGS_BUTTON"));
    buttons->addStretch(1);
    buttons->addWidget(control("OK_BUTTON"));
    buttons->addWidget(control("CANCEL_BUTTON"));
    layout->addLayout(buttons);
    bindControls();
}

}  // namespace syncward
