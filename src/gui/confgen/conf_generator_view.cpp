#include "gui/confgen/conf_generator_view.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "core/confgen/conf_generator_window.h"

namespace syncward {

ConfGeneratorView::ConfGeneratorView(ConfGeneratorWindow& model, QWidget* parent) : FormView(model, parent) {
    auto* left = new QVBoxLayout;
    left->addWidget(optionsGroup());
    left->addWidget(valuesGroup());
    left->addWidget(userGroup(), 1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addWidget(outputGroup(), 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(columns, 1);
    layout->addWidget(buttonsRow());
    bindControls();
}

QWidget* ConfGeneratorView::optionsGroup() {
    auto* group = new QGroupBox("OPTIONS");
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(2);
    grid->addWidget(new QLabel("Crypto Name:"), 0, 0);
    grid->addWidget(control("CRYPTO_NAME_TEXTBOX"), 0, 1, 1, 3);
    grid->addWidget(new QLabel("Wallet File:"), 1, 0);
    grid->addWidget(control("WALLET_FILE_TEXTBOX"), 1, 1, 1, 3);
    const char* ticks[] = {"WALLET_TICKBOX", "DISABLE_WALLET_TICKBOX", "SERVER_TICKBOX",
                           "ALERTS_TICKBOX", "LISTEN_TICKBOX",         "UPNP_TICKBOX",
                           "DNS_TICKBOX",    "OLD_WALLET_SUPPORT_TICKBOX", "DAEMON_TICKBOX"};
    int index = 0;
    for (const char* tick : ticks) {
        grid->addWidget(control(tick), 2 + index / 4, index % 4);
        ++index;
    }
    grid->addWidget(control("PEER_LOCALHOST_TICKBOX"), 5, 0, 1, 2);
    grid->addWidget(control("RPC_LOCALHOST_TICKBOX"), 5, 2, 1, 2);
    return group;
}

QWidget* ConfGeneratorView::valuesGroup() {
    auto* group = new QGroupBox("VALUES");
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(2);
    const char* fields[][2] = {
        {"PEER Timeout", "TIMEOUT_TEXTBOX"},        {"RPC Timeout", "RPC_TIMEOUT_TEXTBOX"},
        {"Max Connections", "MAX_CONNECTIONS_TEXTBOX"}, {"PEER Port", "PEER_PORT_TEXTBOX"},
        {"RPC Port", "RPC_PORT_TEXTBOX"},           {"User Agent Comment", "UACOMMENT_TEXTBOX"},
    };
    int index = 0;
    for (const auto& field : fields) {
        grid->addWidget(new QLabel(field[0]), index / 2, (index % 2) * 2);
        grid->addWidget(control(field[1]), index / 2, (index % 2) * 2 + 1);
        ++index;
    }
    const char* credentials[][2] = {
        {"RPC Username", "RPC_USER_TEXTBOX"}, {"RPC Password", "RPC_PASSWORD_TEXTBOX"}, {"RPC Auth", "RPC_AUTH_TEXTBOX"}};
    int row = 3;
    for (const auto& field : credentials) {
        grid->addWidget(new QLabel(field[0]), row, 0);
        grid->addWidget(control(field[1]), row, 1, 1, 3);
        ++row;
    }
    return group;
}

QWidget* ConfGeneratorView::userGroup() {
    auto* group = new QGroupBox("User Defined Settings:");
    auto* layout = new QVBoxLayout(group);
    auto* guidance = control<QLabel>("USER_SETTINGS_GUIDANCE_LABEL");
    guidance->setWordWrap(true);
    layout->addWidget(guidance);
    auto* remote = control<QLabel>("REMOTE_GUIDANCE_LABEL");
    remote->setWordWrap(true);
    layout->addWidget(remote);
    auto* user = multiline("USER_DEFINED_SETTINGS_TEXTBOX");
    user->setMinimumHeight(4 * user->fontMetrics().lineSpacing());
    layout->addWidget(user, 1);
    return group;
}

QWidget* ConfGeneratorView::outputGroup() {
    auto* group = new QGroupBox("CRYPTO CONFIG OUTPUT");
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(new QLabel("CONF File Location:"));
    layout->addWidget(control("CONF_FILE_LOCATION_TEXTBOX"));
    auto* preview = multiline("CONF_OUTPUT_TEXTBOX");
    preview->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(preview, 1);
    auto* warning = control<QLabel>("RPC_WARNING_LABEL");
    warning->setWordWrap(true);
    layout->addWidget(warning);
    auto* status = new QHBoxLayout;
    status->addWidget(new QLabel("STATUS:"));
    status->addWidget(control("MESSAGE_STATUS_TEXTBOX"), 1);
    layout->addLayout(status);
    return group;
}

QWidget* ConfGeneratorView::buttonsRow() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (const char* name : {"IDS_BUTTON", "QV_RPC_TEST_CREDENTIALS_BUTTON", "NO_2X_BUTTON", "CLEAR_ALL_BUTTON"})
        layout->addWidget(control(name));
    layout->addStretch(1);
    layout->addWidget(control("SAVE_BUTTON"));
    layout->addWidget(control("CANCEL_BUTTON"));
    return row;
}

}  // namespace syncward
