#pragma once

#include "gui/shell/form_view.h"

namespace syncward {

class HistoryTableModel;
class HistoryWindow;
class RunChartWidget;

// The run history: a chart of the blocks each run brought (bars) and the
// chain folder's size (a line), a chart of each run's length, failed or
// not confirmed runs in red; under them the table of every run, the
// growth estimate and the export and open buttons.
class HistoryView : public FormView {
public:
    HistoryView(HistoryWindow& model, QWidget* parent);
    ~HistoryView() override;

private:
    void refresh();

    HistoryWindow& model_;
    RunChartWidget* blocksChart_;
    RunChartWidget* lengthChart_;
    HistoryTableModel* table_;
};

}  // namespace syncward
