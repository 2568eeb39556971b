// The report over several packs in the native window: the filter by pack
// and "Find ID" with its answer, in a row below the category filters.
#include <optional>
#include <string>

#include "platform/wide_win32.h"
#include "ui/win32/memory_template.h"
#include "ui/win32/report_layout.h"
#include "ui/win32/report_window.h"

namespace mapio::win32 {

// "all packs", then each pack with its count of findings.
void CReportDlg::FillPacks() {
  const ui::ReportModel& model = report_.Model();
  HWND list = Item(res::kReportPackFilter);
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  if (!model.Scanned()) return;
  const auto add = [list](const std::string& text) {
    const std::wstring wide = platform::Widen(text);
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  };
  add(model.PackFilterLabel(std::nullopt));
  for (std::size_t p = 0; p < model.Packs(); ++p) add(model.PackFilterLabel(p));
  const std::optional<std::size_t> chosen = model.View().pack;
  SendMessageW(list, CB_SETCURSEL, chosen ? *chosen + 1 : 0, 0);
}

void CReportDlg::ShowPack() {
  const LRESULT at = SendMessageW(Item(res::kReportPackFilter), CB_GETCURSEL, 0, 0);
  if (at == CB_ERR) return;
  const std::optional<std::size_t> kept = FocusedFinding();
  report_.Model().ShowPack(at == 0 ? std::nullopt
                                   : std::optional<std::size_t>(static_cast<std::size_t>(at - 1)));
  // The summary names the pack chosen.
  SetItemText(res::kReportSummary, report_.Model().Summary());
  Layout();
  Rearranged(kept);
}

void CReportDlg::FindId() {
  const ui::IdAnswer answer = report_.FindId(ItemText(res::kReportFindIdBox));
  SetItemText(res::kReportIdAnswer, WithCrLf(answer.text));
  answerShown_ = true;
  Layout();
  ShowFacts(answer.picture);
}

}  // namespace mapio::win32
