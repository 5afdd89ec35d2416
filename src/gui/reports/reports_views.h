#pragma once

#include "gui/shell/form_view.h"

namespace syncward {

class LogManagerWindow;
class ReportsLogsWindow;

// The last end report, and the buttons that open the stored files.
class ReportsLogsView : public FormView {
public:
    ReportsLogsView(ReportsLogsWindow& model, QWidget* parent);
};

// The three files' places and the two clear buttons behind their tick box.
class LogManagerView : public FormView {
public:
    LogManagerView(LogManagerWindow& model, QWidget* parent);
};

}  // namespace syncward
