#include "gui/confgen/rpc_credentials_view.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "core/confgen/rpc_credentials_window.h"

namespace syncward {

RpcCredentialsView::RpcCredentialsView(RpcCredentialsWindow& model, QWidget* parent) : FormView(model, parent) {
    auto* presets = new QGridLayout;
    for (int n = 1; n <= RpcCredentialsWindow::presetCount; ++n)
        presets->addWidget(control(QString("TEST_CFG_%1_BUTTON").arg(n)), (n - 1) / 5, (n - 1) % 5);

    auto* fields = new QGridLayout;
    const char* rows[][2] = {
        {"RPC Username", "RPC_USER_TEXTBOX"}, {"RPC Password", "RPC_PASSWORD_TEXTBOX"}, {"RPC Auth", "RPC_AUTH_TEXTBOX"}};
    int row = 0;
    for (const auto& r : rows) {
        fields->addWidget(new QLabel(r[0]), row, 0);
        fields->addWidget(control(r[1]), row, 1);
        ++row;
    }
    auto* notSecure = control<QLabel>("NOT_SECURE_LABEL");
    notSecure->setAlignment(Qt::AlignCenter);
    auto* warning = control<QLabel>("CREDENTIALS_WARNING_LABEL");
    warning->setWordWrap(true);
    auto* info = multiline("RPCUSER_INFO_TEXTBOX");
    info->setMinimumHeight(5 * info->fontMetrics().lineSpacing());

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(control("USE_CURRENT_CREDENTIALS_BUTTON"));
    bottom->addStretch(1);
    bottom->addWidget(control("CANCEL_BUTTON"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(notSecure);
    layout->addLayout(presets);
    layout->addLayout(fields);
    layout->addWidget(warning);
    layout->addWidget(info, 1);
    layout->addLayout(bottom);
    bindControls();
}

}  // namespace syncward
