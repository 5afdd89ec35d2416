#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "core/reports/run_history.h"

namespace syncward {

// The history's rows for a table view, newest first, a failed or not
// confirmed run on light red. Only the rows on screen are ever asked for,
// so ten thousand runs open as fast as ten.
class HistoryTableModel : public QAbstractTableModel {
public:
    explicit HistoryTableModel(QObject* parent) : QAbstractTableModel(parent) {}

    void setRows(const std::vector<RunRecord>* rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const std::vector<RunRecord>* rows_ = nullptr;
};

}  // namespace syncward
