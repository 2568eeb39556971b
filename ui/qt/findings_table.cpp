#include "ui/qt/findings_table.h"

#include "ui/qt/qt_text.h"

namespace mapio::qt {

FindingsTable::FindingsTable(ui::ReportModel& model, QObject* parent)
    : QAbstractTableModel(parent), model_(model) {}

int FindingsTable::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(model_.Rows());
}

int FindingsTable::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(model_.Columns().size());
}

QVariant FindingsTable::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const ui::ReportColumn column = model_.Columns()[static_cast<std::size_t>(index.column())];
  const auto row = static_cast<std::size_t>(index.row());
  switch (role) {
    case Qt::DisplayRole: return ToQString(model_.Cell(row, column));
    // Long names and details in full, whatever the column's width.
    case Qt::ToolTipRole:
      if (column == ui::ReportColumn::Name || column == ui::ReportColumn::Detail ||
          column == ui::ReportColumn::Pack)
        return ToQString(model_.Cell(row, column));
      return {};
    case Qt::TextAlignmentRole:
      if (column == ui::ReportColumn::Line)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
      return {};
    default: return {};
  }
}

QVariant FindingsTable::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  if (section < 0 || section >= columnCount()) return {};
  return ToQString(ui::ReportColumnTitle(model_.Columns()[static_cast<std::size_t>(section)]));
}

void FindingsTable::sort(int column, Qt::SortOrder order) {
  std::optional<ui::ReportColumn> by;
  if (column >= 0 && column < columnCount())
    by = model_.Columns()[static_cast<std::size_t>(column)];
  const bool descending = order == Qt::DescendingOrder;
  const ui::ReportView& now = model_.View();
  if (now.sortedBy == by && now.descending == descending) return;
  beginResetModel();
  model_.SortBy(by, descending);
  endResetModel();
}

void FindingsTable::ShowOnly(std::optional<checker::Category> category) {
  beginResetModel();
  model_.ShowOnly(category);
  endResetModel();
}

void FindingsTable::ShowPack(std::optional<std::size_t> pack) {
  beginResetModel();
  model_.ShowPack(pack);
  endResetModel();
}

void FindingsTable::Refresh() {
  beginResetModel();
  endResetModel();
}

}  // namespace mapio::qt
