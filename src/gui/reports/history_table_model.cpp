#include "gui/reports/history_table_model.h"

#include <QBrush>
#include <QColor>
#include <string_view>

#include "core/reports/run_history_columns.h"

namespace syncward {

void HistoryTableModel::setRows(const std::vector<RunRecord>* rows) {
    beginResetModel();
    rows_ = rows;
    endResetModel();
}

int HistoryTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !rows_ ? 0 : static_cast<int>(rows_->size());
}

int HistoryTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(historyColumns().size());
}

QVariant HistoryTableModel::data(const QModelIndex& index, int role) const {
    if (!rows_ || !index.isValid() || index.row() >= rowCount()) return {};
    const RunRecord& run = (*rows_)[rows_->size() - 1 - static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole)
        return QString::fromStdString(historyColumns()[static_cast<std::size_t>(index.column())].shown(run));
    if (role == Qt::BackgroundRole && !run.succeeded()) return QBrush(QColor(255, 200, 200));
    return {};
}

QVariant HistoryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) {
        const std::string_view title = historyColumns()[static_cast<std::size_t>(section)].title;
        return QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()));
    }
    return section + 1;
}

}  // namespace syncward
