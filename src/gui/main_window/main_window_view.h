#pragma once

#include "gui/shell/form_view.h"

namespace syncward {

class MainWindow;

// The main window: the run's steps with their lights and switches, the
// block counter, the run record, the process boxes, the heartbeat and lock
// lights, and the buttons that open the other windows.
class MainWindowView : public FormView {
public:
    MainWindowView(MainWindow& model, QWidget* parent);

private:
    QWidget* runStepsPage();
    QWidget* countdownsGroup();
    QWidget* blockCounterGroup();
    QWidget* runRecordPage();
    QWidget* processesAndLightsGroup();
    QWidget* buttonsRow();
};

}  // namespace syncward
