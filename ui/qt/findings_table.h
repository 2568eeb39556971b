// The report's findings as a Qt table model: an adapter over
// ui::ReportModel, which holds them, filters and sorts them. The view asks
// only for the rows it paints, so half a million findings open at once.
#pragma once

#include <QAbstractTableModel>

#include <optional>

#include "ui/report_model.h"

namespace mapio::qt {

class FindingsTable final : public QAbstractTableModel {
  Q_OBJECT

 public:
  FindingsTable(ui::ReportModel& model, QObject* parent);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  // A header click; -1: the report's own order.
  void sort(int column, Qt::SortOrder order) override;

  void ShowOnly(std::optional<checker::Category> category);
  void ShowPack(std::optional<std::size_t> pack);
  // The model was replaced by a fresh report.
  void Refresh();

 private:
  ui::ReportModel& model_;
};

}  // namespace mapio::qt
