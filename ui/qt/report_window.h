// The check's report: the summary with a filter per category, the findings
// in a sortable table, the current finding's picture beside it, and the
// buttons below. What it does lives in ui::CheckReport; this draws it.
#pragma once

#include <QDialog>

#include <optional>
#include <vector>

#include "ui/check_report.h"
#include "ui/qt/dialogs.h"

class QButtonGroup;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class QVBoxLayout;

namespace mapio::qt {

class FindingsTable;

class CReportDlg final : public QDialog {
  Q_OBJECT

 public:
  CReportDlg(Dialogs& dialogs, QWidget* owner, ui::CheckReport& report);

  // The button that closed it; Close for Esc and the close box.
  ui::ReportChoice choice() const { return choice_; }
  QTableView* table() const { return table_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void MakeFilters();
  void MakeButtons(QHBoxLayout* row);
  // Of several packs: the filter by pack, and "Find ID" with its answer.
  void MakePackRow(QVBoxLayout* layout);
  void FillPacks();
  void FindId();
  void ShowFresh();
  void ShowOffers();
  void OrderTabs();
  void ShowPicture();
  void ShowFacts(const std::optional<ui::PictureFacts>& facts);
  void OpenCurrent();
  void Copy();
  void Save();
  std::vector<std::size_t> SelectedRows() const;
  QPushButton* Button(int id, std::string_view text);

  Dialogs& dialogs_;
  ui::CheckReport& report_;
  FindingsTable* findings_ = nullptr;
  QTableView* table_ = nullptr;
  QLabel* summary_ = nullptr;
  QGridLayout* filterRow_ = nullptr;
  QButtonGroup* filters_ = nullptr;
  QLabel* picture_ = nullptr;
  QLabel* pictureName_ = nullptr;
  QLabel* pictureFacts_ = nullptr;
  QComboBox* packs_ = nullptr;
  QLineEdit* idBox_ = nullptr;
  QPushButton* find_ = nullptr;
  QPlainTextEdit* answer_ = nullptr;
  std::vector<QPushButton*> offers_;  // as ui::ReportButtons lists them
  std::vector<QPushButton*> below_;   // Copy, Save report..., Close
  std::size_t keptFinding_ = 0;       // the current finding, across a reset
  bool hadCurrent_ = false;
  ui::ReportChoice choice_ = ui::ReportChoice::Close;
};

}  // namespace mapio::qt
