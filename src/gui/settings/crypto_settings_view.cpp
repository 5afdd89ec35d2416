#include "gui/settings/crypto_settings_view.h"

#include <string_view>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "core/settings/crypto_settings_window.h"

namespace syncward {

namespace {

QWidget* small(QWidget* widget, int width) {
    widget->setFixedWidth(width);
    return widget;
}

// Groups sit close together so that the window, with its buttons, fits a
// small screen.
template <typename L>
L* tight(L* layout) {
    layout->setContentsMargins(6, 4, 6, 4);
    return layout;
}

}  // namespace

CryptoSettingsView::CryptoSettingsView(CryptoSettingsWindow& model, QWidget* parent) : FormView(model, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(programsGroup());
    layout->addWidget(optionsGroup());
    layout->addWidget(commandsGroup(), 1);
    auto* status = new QHBoxLayout;
    status->addWidget(new QLabel("STATUS:"));
    status->addWidget(control("MESSAGE_STATUS_TEXTBOX"), 1);
    layout->addLayout(status);
    layout->addWidget(buttonsRow());
    bindControls();
}

QWidget* CryptoSettingsView::programsGroup() {
    auto* group = new QGroupBox("CRYPTO");
    auto* grid = tight(new QGridLayout(group));
    grid->setVerticalSpacing(4);
    struct Field {
        const char* label;
        const char* box;
        const char* use;  // may be null
        const char* browse;
    };
    // The coin and the QT wallet on the left, the daemon and its client on the right.
    const Field fields[] = {
        {"CRYPTO_NAME_LABEL", "CRYPTO_NAME_TEXTBOX", nullptr, nullptr},
        {"DAEMON_CLI_LOCATION_LABEL", "DAEMON_CLI_LOCATION_TEXTBOX", "USE_DAEMON_CLI_LOCATION_BUTTON",
         "DAEMON_CLI_LOCATION_BROWSE_BUTTON"},
        {"BLOCKCHAIN_HOME_LABEL", "BLOCKCHAIN_HOME_TEXTBOX", nullptr, "BLOCKCHAIN_HOME_BROWSE_BUTTON"},
        {"DAEMOND_NAME_LABEL", "DAEMOND_NAME_TEXTBOX", "USE_DAEMOND_NAME_BUTTON", "DAEMOND_NAME_BROWSE_BUTTON"},
        {"QT_LOCATION_LABEL", "QT_LOCATION_TEXTBOX", "USE_QT_LOCATION_BUTTON", "QT_LOCATION_BROWSE_BUTTON"},
        {"DAEMONCLI_NAME_LABEL", "DAEMONCLI_NAME_SETTINGS_TEXTBOX", "USE_DAEMONCLI_NAME_BUTTON",
         "DAEMONCLI_NAME_BROWSE_BUTTON"},
        {"QT_NAME_LABEL", "QT_NAME_TEXTBOX", "USE_QT_NAME_BUTTON", "QT_NAME_BROWSE_BUTTON"},
    };
    int index = 0;
    for (const Field& f : fields) {
        auto* block = new QVBoxLayout;
        block->setSpacing(1);
        block->addWidget(control(f.label));
        auto* line = new QHBoxLayout;
        line->addWidget(control(f.box), 1);
        if (f.use) line->addWidget(small(control(f.use), 40));
        if (f.browse) line->addWidget(small(control(f.browse), 28));
        block->addLayout(line);
        grid->addLayout(block, index / 2, index % 2);
        ++index;
    }
    return group;
}

QWidget* CryptoSettingsView::optionsGroup() {
    auto* group = new QGroupBox("START OPTIONS");
    auto* grid = tight(new QGridLayout(group));
    grid->setVerticalSpacing(2);
    const char* pairs[][4] = {
        {"QT:", "QT_WALLET_TICKBOX", "QT_DISABLE_WALLET_TICKBOX", "QT_DASH_DISABLE_WALLET_EQUALS_TEXTBOX"},
        {"DAEMON:", "DAEMON_WALLET_TICKBOX", "DAEMON_DISABLE_WALLET_TICKBOX",
         "DAEMON_DASH_DISABLE_WALLET_EQUALS_TEXTBOX"},
        {"CLI:", "CLI_DAEMON_TICKBOX", "DISABLE_DAEMON_TICKBOX", "DASH_DISABLE_DAEMON_EQUALS_TEXTBOX"},
    };
    int row = 0;
    for (const auto& pair : pairs) {
        grid->addWidget(new QLabel(pair[0]), row, 0);
        grid->addWidget(control(pair[1]), row, 1);
        grid->addWidget(control(pair[2]), row, 2);
        grid->addWidget(small(control(pair[3]), 140), row, 3);
        ++row;
    }
    grid->addWidget(new QLabel("CONF FILE:"), row, 0);
    grid->addWidget(control("CONF_FILE_LOCATION_TEXTBOX"), row, 1, 1, 4);
    grid->setColumnStretch(4, 1);
    return group;
}

QWidget* CryptoSettingsView::commandsGroup() {
    auto* group = new QGroupBox("COMMANDS");
    auto* grid = tight(new QGridLayout(group));
    grid->setVerticalSpacing(2);
    const char* commands[][2] = {
        {"QT:", "QV_QT_COMMAND_TEXTBOX"},
        {"DAEMON:", "QV_D_COMMAND_TEXTBOX"},
        {"CLI STOP:", "QVCLI_STOP_COMMAND_TEXTBOX"},
        {"BLOCKCOUNT:", "GETBLOCKCOUNT_COMMAND_SETTINGS_TEXTBOX"},
        {"NODE CHECK:", "NODE_CHECK_COMMAND_SETTINGS_TEXTBOX"},
    };
    int row = 0;
    for (const auto& command : commands) {
        grid->addWidget(new QLabel(command[0]), row, 0, Qt::AlignTop);
        // The commands wrap; three lines, as long as most commands are,
        // show at the least, more as the window grows, and the rest scrolls.
        // The node check, read far less often, gets two, so the window
        // still fits a small screen.
        auto* box = multiline(command[1]);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        const int lines = std::string_view(command[1]) == "NODE_CHECK_COMMAND_SETTINGS_TEXTBOX" ? 2 : 3;
        box->setMinimumHeight(lines * box->fontMetrics().lineSpacing() +
                              2 * static_cast<int>(box->document()->documentMargin()) + 2 * box->frameWidth() + 2);
        box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        grid->addWidget(box, row, 1);
        ++row;
    }
    grid->setColumnStretch(1, 1);
    return group;
}

QWidget* CryptoSettingsView::buttonsRow() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(control("VIEW_OUTPUT_COMMANDS_BUTTON"));
    layout->addStretch(1);
    layout->addWidget(control("SAVE_BUTTON"));
    layout->addWidget(control("CANCEL_BUTTON"));
    return row;
}

}  // namespace syncward
