#pragma once

#include "gui/shell/form_view.h"

namespace syncward {

class MainSettingsWindow;

// The main settings: the home folder with its buttons and status, the
// configuration file, the heartbeat interval and block-count file, and the
// buttons to the other settings windows.
class MainSettingsView : public FormView {
public:
    MainSettingsView(MainSettingsWindow& model, QWidget* parent);

private:
    QWidget* homeFolderGroup();
    QWidget* confFileGroup();
    QWidget* heartbeatGroup();
    QWidget* windowButtons();
};

}  // namespace syncward
