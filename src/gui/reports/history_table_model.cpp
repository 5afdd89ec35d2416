#include "gui/reports/history_table_model.h"

#include <QBrush>
#include <QColor>
#include <array>
#include <string>

#include "core/reports/history_growth.h"
#include "core/reports/history_mail_table.h"
#include "core/time/iso_local.h"

namespace syncward {

namespace {

constexpr std::array<const char*, 13> headings = {
    "START", "END", "LENGTH", "NODE PROGRAM", "BLOCKS BEFORE", "BLOCKS AFTER", "DOWNLOADED",
    "FOLDER BEFORE", "FOLDER AFTER", "BLOCKCOUNTER", "RUN OUTCOME", "NODE CHECK", "FINAL ACTION"};

template <typename Number>
std::string numberText(const std::optional<Number>& value) {
    return value ? std::to_string(*value) : std::string("-");
}

std::string sizeText(const std::optional<std::uint64_t>& bytes) {
    return bytes ? gigabytesText(static_cast<double>(*bytes)) : std::string("-");
}

std::string cell(const RunRecord& r, int column) {
    switch (column) {
        case 0: return isoLocalText(r.start, r.startOffset);
        case 1: return isoLocalText(r.end, r.endOffset);
        case 2: return runLengthText(r.seconds());
        case 3: return r.nodeProgram;
        case 4: return numberText(r.blocksBefore);
        case 5: return numberText(r.blocksAfter);
        case 6: return numberText(r.blocksDownloaded);
        case 7: return sizeText(r.bytesBefore);
        case 8: return sizeText(r.bytesAfter);
        case 9: return r.blockCounterOutcome;
        case 10: return r.runOutcome;
        case 11: return r.nodeCheck;
        default: return r.finalAction;
    }
}

}  // namespace

void HistoryTableModel::setRows(const std::vector<RunRecord>* rows) {
    beginResetModel();
    rows_ = rows;
    endResetModel();
}

int HistoryTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !rows_ ? 0 : static_cast<int>(rows_->size());
}

int HistoryTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(headings.size());
}

QVariant HistoryTableModel::data(const QModelIndex& index, int role) const {
    if (!rows_ || !index.isValid() || index.row() >= rowCount()) return {};
    const RunRecord& run = (*rows_)[rows_->size() - 1 - static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole) return QString::fromStdString(cell(run, index.column()));
    if (role == Qt::BackgroundRole && !run.succeeded()) return QBrush(QColor(255, 200, 200));
    return {};
}

QVariant HistoryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return QString(headings.at(static_cast<std::size_t>(section)));
    return section + 1;
}

}  // namespace syncward
