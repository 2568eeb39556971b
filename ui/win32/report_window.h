// The check's report in the native window: the summary with a filter per
// category, the findings in a virtual list-view (the control asks only for
// the rows it paints), the current finding's picture beside it (GDI+), and
// the buttons below. What it does lives in ui::CheckReport.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "res/control_ids.h"
#include "ui/check_report.h"
#include "ui/win32/dialog.h"
#include "ui/win32/picture_preview.h"

namespace mapio::win32 {

// Where the report stood when it last closed, so that the fresh report
// after a job opens where the user left the old one; empty at first.
struct ReportPlace {
  RECT rect{};
  bool known = false;
};

class CReportDlg final : public Dialog {
 public:
  // While it is up, `boxOwner` names it, so that boxes shown meanwhile
  // belong to it rather than to the window it covers.
  CReportDlg(Dialogs& dialogs, ui::CheckReport& report, ReportPlace& place, HWND* boxOwner);

  // Modal over `owner`; the button that closed it (Close for Esc and the
  // close box).
  ui::ReportChoice Show(HWND owner);

  HWND List() const { return Item(res::kReportTable); }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int notification) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  bool PlacesItself() const override { return true; }

 private:
  void MakeColumns();
  void MakeFilters();
  // Of several packs (report_packs.cpp): the filter by pack, and "Find
  // ID" with its answer, in a row below the filters; returns where the
  // row ends.
  void FillPacks();
  void ShowPack();
  void FindId();
  int LayoutPackRow(int y);
  void ShowFresh();
  void ShowOffers();
  void ShowSortArrow();
  void Layout();
  bool OnNotify(const NMHDR& header, LPARAM lParam);
  void Choose(ui::ReportChoice choice);
  void ShowOnly(std::size_t filter);
  void SortBy(int column);
  void Rearranged(std::optional<std::size_t> keptFinding);
  void ShowPicture();
  void ShowFacts(const std::optional<ui::PictureFacts>& facts);
  void OpenFocused();
  void Copy();
  void Save();
  int Focused() const;
  std::optional<std::size_t> FocusedFinding() const;
  std::vector<std::size_t> SelectedRows() const;
  void DrawPicture(const DRAWITEMSTRUCT& item) const;

  ui::CheckReport& report_;
  ReportPlace& place_;
  HWND* boxOwner_;
  PicturePreview preview_;
  std::vector<HWND> filters_;
  std::vector<std::optional<checker::Category>> filterCategories_;
  bool answerShown_ = false;           // "Find ID" has answered
  std::array<std::wstring, 3> cells_;  // the list reads each text after we answer
  std::size_t nextCell_ = 0;
  POINT minimum_{};
};

}  // namespace mapio::win32
