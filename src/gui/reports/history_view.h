#pragma once

#include "gui/shell/form_view.h"

class QChart;

namespace syncward {

class HistoryTableModel;
class HistoryWindow;

// The run history: a chart of the blocks each run brought (bars) and the
// chain folder's size (a line), a chart of each run's length, failed or
// not confirmed runs in red; under them the table of every run, the
// growth estimate and the export and open buttons.
class HistoryView : public FormView {
public:
    HistoryView(HistoryWindow& model, QWidget* parent);
    ~HistoryView() override;

    // How many of the latest runs the charts show; the table shows all.
    static constexpr int chartedRuns = 52;

private:
    void refresh();

    HistoryWindow& model_;
    QChart* blocksChart_;
    QChart* lengthChart_;
    HistoryTableModel* table_;
};

}  // namespace syncward
