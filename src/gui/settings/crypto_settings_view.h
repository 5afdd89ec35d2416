#pragma once

#include "gui/shell/form_view.h"

namespace syncward {

class CryptoSettingsWindow;

// The crypto settings: the coin's name and folders, its three programs
// with their "Use" and browse buttons, the start options, and the four
// command lines as they are rebuilt.
class CryptoSettingsView : public FormView {
public:
    CryptoSettingsView(CryptoSettingsWindow& model, QWidget* parent);

private:
    QWidget* programsGroup();
    QWidget* optionsGroup();
    QWidget* commandsGroup();
    QWidget* buttonsRow();
};

}  // namespace syncward
