#include "ui/win32/report_window.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/wide_win32.h"
#include "ui/win32/edit_dialog.h"
#include "ui/win32/memory_template.h"
#include "ui/win32/placement.h"
#include "ui/win32/report_layout.h"

namespace mapio::win32 {

namespace {

// The window's normal place, also when it is maximised.
void Remember(HWND dialog, ReportPlace& place) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(dialog, &placement)) return;
  place.rect = placement.rcNormalPosition;
  place.known = true;
}

bool PutOnClipboard(HWND owner, std::string_view text) {
  const std::wstring wide = platform::Widen(WithCrLf(text));
  const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return false;
  std::memcpy(GlobalLock(memory), wide.c_str(), bytes);
  GlobalUnlock(memory);
  if (!OpenClipboard(owner)) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  const bool put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  if (!put) GlobalFree(memory);
  CloseClipboard();
  return put;
}

}  // namespace

CReportDlg::CReportDlg(Dialogs& dialogs, ui::CheckReport& report, ReportPlace& place,
                       HWND* boxOwner)
    : Dialog(res::kReportDialog, dialogs), report_(report), place_(place), boxOwner_(boxOwner) {}

ui::ReportChoice CReportDlg::Show(HWND owner) {
  // Places and sizes are set by Layout once the window exists; the filters
  // are made then too, as many as the report has categories.
  TemplateWriter writer;
  const std::string caption(report_.Caption());
  const auto offers = ui::Offers(report_.Buttons());
  writer.Dialog(caption.c_str(), 540, 300, static_cast<WORD>(13 + offers.size() + 3),
                WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CLIPCHILDREN);
  writer.Item(SS_LEFT | SS_NOPREFIX, 0, 0, 10, 10, res::kReportSummary, kStaticClass, "");
  const std::string filterLabel(ui::kFilterLabel), findingsLabel(ui::kFindingsLabel);
  writer.Item(SS_LEFT, 0, 0, 10, 10, res::kReportFilterLabel, kStaticClass, filterLabel.c_str());
  // WS_GROUP ends the filters' group of radio buttons. Shown only for
  // several packs: the filter by pack and "Find ID".
  const std::string packLabel(ui::kPackFilterLabel), findLabel(ui::kFindIdLabel),
      find(ui::kFindIdButton);
  writer.Item(SS_LEFT | WS_GROUP, 0, 0, 10, 10, res::kReportPackLabel, kStaticClass,
              packLabel.c_str());
  writer.Item(CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, 0, 10, 120, res::kReportPackFilter,
              kComboBoxClass, "");
  writer.Item(SS_LEFT, 0, 0, 10, 10, res::kReportFindIdLabel, kStaticClass, findLabel.c_str());
  writer.Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0, 0, 10, 10, res::kReportFindIdBox,
              kEditClass, "");
  writer.Item(BS_PUSHBUTTON | WS_TABSTOP, 0, 0, 10, 10, res::kReportFindIdButton, kButtonClass,
              find.c_str());
  writer.Item(kReadOnlyTextStyle, 0, 0, 10, 10, res::kReportIdAnswer, kEditClass, "");
  writer.Item(SS_LEFT | WS_GROUP, 0, 0, 10, 10, res::kReportFindingsLabel, kStaticClass,
              findingsLabel.c_str());
  writer.Item(LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP, 0, 0, 10, 10,
              res::kReportTable, WC_LISTVIEWW, "");
  writer.Item(SS_OWNERDRAW | WS_GROUP, 0, 0, 10, 10, res::kReportPicture, kStaticClass, "");
  writer.Item(SS_LEFT | SS_NOPREFIX, 0, 0, 10, 10, res::kReportPictureName, kStaticClass, "");
  writer.Item(SS_LEFT | SS_NOPREFIX, 0, 0, 10, 10, res::kReportPictureFacts, kStaticClass, "");
  for (const ui::ReportOffer& offer : offers) {
    const std::string text(offer.text);
    writer.Item(BS_PUSHBUTTON | WS_TABSTOP, 0, 0, 10, 10,
                static_cast<WORD>(ui::OfferControlId(offer.choice)), kButtonClass, text.c_str());
  }
  const std::string copy(ui::kCopyButton), save(ui::kSaveReportButton),
      close(ui::kCloseReportButton);
  writer.Item(BS_PUSHBUTTON | WS_TABSTOP, 0, 0, 10, 10, res::kReportCopyButton, kButtonClass,
              copy.c_str());
  writer.Item(BS_PUSHBUTTON | WS_TABSTOP, 0, 0, 10, 10, res::kReportSaveButton, kButtonClass,
              save.c_str());
  writer.Item(BS_PUSHBUTTON | WS_TABSTOP, 0, 0, 10, 10, res::kReportCloseButton, kButtonClass,
              close.c_str());

  const HWND before = boxOwner_ ? *boxOwner_ : nullptr;
  const INT_PTR result = RunModal(owner, writer.data());
  if (boxOwner_) *boxOwner_ = before;
  for (const ui::ReportOffer& offer : offers) {
    if (result == ui::OfferControlId(offer.choice)) return offer.choice;
  }
  return ui::ReportChoice::Close;  // also -1, when it could not be made
}

bool CReportDlg::OnInitDialog() {
  if (boxOwner_) *boxOwner_ = hwnd();
  HWND list = List();
  ListView_SetExtendedListViewStyle(
      list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP | LVS_EX_INFOTIP);
  MakeColumns();
  // Enter opens the focused finding: no button takes it.
  SendMessageW(hwnd(), DM_SETDEFID, res::kReportTable, 0);
  ShowFresh();

  RECT least{0, 0, ToPixelsX(hwnd(), 2 * kMargin + kGap + kMinTableWidth + kPictureSide),
             ToPixelsY(hwnd(), 4 * kMargin + 3 * kLabelHeight + kMinTableHeight +
                                   2 * kButtonHeight + kGap)};
  AdjustWindowRectEx(&least, static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_EXSTYLE)));
  minimum_ = {least.right - least.left, least.bottom - least.top};
  if (place_.known) {
    // Where the user left it, never below the smallest size.
    const RECT& r = place_.rect;
    SetWindowPos(hwnd(), nullptr, r.left, r.top, std::max(r.right - r.left, minimum_.x),
                 std::max(r.bottom - r.top, minimum_.y), SWP_NOZORDER);
  } else {
    CenterOnOwner(hwnd());
  }
  Layout();
  SetFocus(list);
  return false;  // the focus is set
}

void CReportDlg::MakeColumns() {
  HWND list = List();
  const int charWidth = LOWORD(GetDialogBaseUnits());
  const auto columns = report_.Model().Columns();
  for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
    const ui::ReportColumn shown = columns[static_cast<std::size_t>(c)];
    std::wstring title = platform::Widen(ui::ReportColumnTitle(shown));
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = title.data();
    column.cx = kColumnChars[static_cast<int>(shown)] * charWidth;
    column.iSubItem = c;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c),
                 reinterpret_cast<LPARAM>(&column));
  }
}

// "all", then a filter per category the report has; a click shows only it.
// They stand after the label in the tab order, so its access key reaches
// them.
void CReportDlg::MakeFilters() {
  for (HWND old : filters_) DestroyWindow(old);
  filters_.clear();
  filterCategories_.assign(1, std::nullopt);
  const ui::ReportModel& model = report_.Model();
  for (const ui::CategoryCount& c : model.Categories()) filterCategories_.push_back(c.category);
  const auto font = SendMessageW(hwnd(), WM_GETFONT, 0, 0);
  HWND after = Item(res::kReportFilterLabel);
  for (std::size_t i = 0; i < filterCategories_.size(); ++i) {
    const bool chosen = filterCategories_[i] == model.View().only;
    DWORD style = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON;
    if (i == 0) style |= WS_GROUP;
    if (chosen) style |= WS_TABSTOP;
    const std::wstring label = platform::Widen(model.FilterLabel(filterCategories_[i]));
    HWND radio =
        CreateWindowExW(0, L"BUTTON", label.c_str(), style, 0, 0, 10, 10, hwnd(),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(res::kReportFilterFirst + i)),
                        GetModuleHandleW(nullptr), nullptr);
    SendMessageW(radio, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
    SendMessageW(radio, BM_SETCHECK, chosen ? BST_CHECKED : BST_UNCHECKED, 0);
    SetWindowPos(radio, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = radio;
    filters_.push_back(radio);
  }
}

// The summary, the filters, the buttons and the rows of the report as it
// is now.
void CReportDlg::ShowFresh() {
  SetItemText(res::kReportSummary, report_.Model().Summary());
  MakeFilters();
  FillPacks();
  ShowOffers();
  HWND list = List();
  ListView_SetItemCountEx(list, static_cast<int>(report_.Model().Rows()), 0);
  ShowSortArrow();
  if (report_.Model().Rows() > 0 && Focused() < 0)
    ListView_SetItemState(list, 0, LVIS_FOCUSED, LVIS_FOCUSED);
  ShowPicture();
  Layout();
  InvalidateRect(list, nullptr, TRUE);
}

void CReportDlg::ShowOffers() {
  for (const ui::ReportOffer& offer : ui::Offers(report_.Buttons())) {
    HWND button = Item(ui::OfferControlId(offer.choice));
    SetWindowTextW(button, platform::Widen(offer.text).c_str());
    ShowWindow(button, offer.text.empty() ? SW_HIDE : SW_SHOWNA);
  }
}

void CReportDlg::ShowSortArrow() {
  const ui::ReportView& view = report_.Model().View();
  HWND header = ListView_GetHeader(List());
  const auto columns = report_.Model().Columns();
  for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    Header_GetItem(header, c, &item);
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (view.sortedBy == columns[static_cast<std::size_t>(c)])
      item.fmt |= view.descending ? HDF_SORTDOWN : HDF_SORTUP;
    Header_SetItem(header, c, &item);
  }
}

bool CReportDlg::OnCommand(int id, int notification) {
  if (id >= res::kReportFilterFirst &&
      id < res::kReportFilterFirst + static_cast<int>(filters_.size())) {
    if (notification == BN_CLICKED)
      ShowOnly(static_cast<std::size_t>(id - res::kReportFilterFirst));
    return true;
  }
  if (id == res::kReportPackFilter) {
    if (notification == CBN_SELCHANGE) ShowPack();
    return true;
  }
  if (notification != BN_CLICKED) return false;
  switch (id) {
    case IDOK:  // Enter, wherever the focus is
    case res::kReportTable:
      if (GetFocus() == List()) OpenFocused();
      if (GetFocus() == Item(res::kReportFindIdBox)) FindId();
      return true;
    case res::kReportFindIdButton: FindId(); return true;
    case res::kReportCopyButton: Copy(); return true;
    case res::kReportSaveButton: Save(); return true;
    case IDCANCEL: Choose(ui::ReportChoice::Close); return true;
  }
  for (const ui::ReportOffer& offer : ui::Offers(report_.Buttons())) {
    if (id == ui::OfferControlId(offer.choice)) {
      Choose(offer.choice);
      return true;
    }
  }
  return false;
}

void CReportDlg::Choose(ui::ReportChoice choice) {
  Remember(hwnd(), place_);
  End(choice == ui::ReportChoice::Close ? IDCANCEL : ui::OfferControlId(choice));
}

bool CReportDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (message) {
    case WM_SIZE: Layout(); return true;
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = minimum_;
      result = 0;
      return true;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item.CtlID != static_cast<UINT>(res::kReportPicture)) return false;
      DrawPicture(item);
      result = TRUE;
      return true;
    }
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (header.idFrom != static_cast<UINT_PTR>(res::kReportTable)) return false;
      result = OnNotify(header, lParam) ? TRUE : FALSE;
      return true;
    }
  }
  (void)wParam;
  return false;
}

bool CReportDlg::OnNotify(const NMHDR& header, LPARAM lParam) {
  switch (header.code) {
    case LVN_GETDISPINFOW: {
      LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(lParam)->item;
      if (!(item.mask & LVIF_TEXT) || item.iItem < 0 ||
          static_cast<std::size_t>(item.iItem) >= report_.Model().Rows())
        return false;
      // The list reads the text after we answer: the cell lives on in a
      // ring of buffers, long enough for a row's columns.
      std::wstring& cell = cells_[nextCell_];
      nextCell_ = (nextCell_ + 1) % cells_.size();
      const auto columns = report_.Model().Columns();
      if (item.iSubItem < 0 || static_cast<std::size_t>(item.iSubItem) >= columns.size())
        return false;
      cell = platform::Widen(report_.Model().Cell(
          static_cast<std::size_t>(item.iItem), columns[static_cast<std::size_t>(item.iSubItem)]));
      item.pszText = cell.data();
      return false;
    }
    case LVN_GETINFOTIPW: {
      // A cell too long for its column shows whole on hover.
      auto& tip = *reinterpret_cast<NMLVGETINFOTIPW*>(lParam);
      if (tip.iItem < 0 || tip.cchTextMax <= 1) return false;
      std::wstring text = platform::Widen(
          report_.Model().Cell(static_cast<std::size_t>(tip.iItem), ui::ReportColumn::Detail));
      text.resize(std::min<std::size_t>(text.size(), static_cast<std::size_t>(tip.cchTextMax) - 1));
      std::copy(text.begin(), text.end(), tip.pszText);
      tip.pszText[text.size()] = L'\0';
      return false;
    }
    case LVN_COLUMNCLICK: {
      const int column = reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem;
      const auto columns = report_.Model().Columns();
      if (column >= 0 && static_cast<std::size_t>(column) < columns.size())
        SortBy(static_cast<int>(columns[static_cast<std::size_t>(column)]));
      return false;
    }
    case LVN_ITEMCHANGED: {
      const auto& change = *reinterpret_cast<const NMLISTVIEW*>(lParam);
      if ((change.uNewState ^ change.uOldState) & LVIS_FOCUSED) ShowPicture();
      return false;
    }
    case NM_DBLCLK: OpenFocused(); return false;
    case LVN_KEYDOWN: {
      const auto& key = *reinterpret_cast<const NMLVKEYDOWN*>(lParam);
      if (key.wVKey == 'C' && (GetKeyState(VK_CONTROL) & 0x8000)) Copy();
      return false;
    }
  }
  return false;
}

void CReportDlg::ShowOnly(std::size_t filter) {
  if (filter >= filterCategories_.size()) return;
  const std::optional<std::size_t> kept = FocusedFinding();
  report_.Model().ShowOnly(filterCategories_[filter]);
  // The radio that takes the tab is the chosen one.
  for (std::size_t i = 0; i < filters_.size(); ++i) {
    LONG_PTR style = GetWindowLongPtrW(filters_[i], GWL_STYLE);
    style = i == filter ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    SetWindowLongPtrW(filters_[i], GWL_STYLE, style);
  }
  Rearranged(kept);
}

void CReportDlg::SortBy(int column) {
  const std::optional<std::size_t> kept = FocusedFinding();
  const ui::ReportView& view = report_.Model().View();
  const auto chosen = static_cast<ui::ReportColumn>(column);
  const bool descending = view.sortedBy == chosen && !view.descending;
  report_.Model().SortBy(chosen, descending);
  Rearranged(kept);
  ShowSortArrow();
}

// After a sort or a filter: the same finding stays current where it is
// still shown.
void CReportDlg::Rearranged(std::optional<std::size_t> keptFinding) {
  HWND list = List();
  ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetItemCountEx(list, static_cast<int>(report_.Model().Rows()), 0);
  std::optional<std::size_t> row;
  if (keptFinding) row = report_.Model().RowOf(*keptFinding);
  if (!row && report_.Model().Rows() > 0) row = 0;
  if (row) {
    const int at = static_cast<int>(*row);
    ListView_SetItemState(list, at, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    ListView_EnsureVisible(list, at, FALSE);
  }
  InvalidateRect(list, nullptr, TRUE);
  ShowPicture();
}

std::optional<std::size_t> CReportDlg::FocusedFinding() const {
  const int row = Focused();
  if (row < 0 || static_cast<std::size_t>(row) >= report_.Model().Rows()) return std::nullopt;
  return report_.Model().FindingOf(static_cast<std::size_t>(row));
}

void CReportDlg::ShowPicture() {
  const int row = Focused();
  std::optional<std::size_t> shown;
  if (row >= 0 && static_cast<std::size_t>(row) < report_.Model().Rows())
    shown = static_cast<std::size_t>(row);
  // The buttons act on the focused finding's pack.
  if (report_.ShowButtonsOf(shown)) {
    ShowOffers();
    Layout();
  }
  ShowFacts(shown ? report_.PictureOf(*shown) : std::nullopt);
}

void CReportDlg::ShowFacts(const std::optional<ui::PictureFacts>& facts) {
  HWND box = Item(res::kReportPicture);
  RECT inside{};
  GetClientRect(box, &inside);
  if (facts) {
    const int side = ToPixelsX(hwnd(), kPictureSide);
    preview_.Load(facts->path, side, side);
  } else {
    preview_.Clear();
  }
  SetItemText(res::kReportPictureName, facts ? facts->name : "");
  SetItemText(res::kReportPictureFacts, facts ? facts->description : "");
  InvalidateRect(box, nullptr, TRUE);
}

void CReportDlg::DrawPicture(const DRAWITEMSTRUCT& item) const {
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
  FrameRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNSHADOW));
  preview_.Paint(item.hDC, item.rcItem);
}

void CReportDlg::OpenFocused() {
  const int row = Focused();
  if (row < 0) return;
  Win32EditorView editor(dialogs(), hwnd());
  if (!report_.Open(static_cast<std::size_t>(row), editor)) return;
  // A fresh report: its rows, counts and buttons.
  ShowFresh();
  const int rows = static_cast<int>(report_.Model().Rows());
  HWND list = List();
  ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  if (rows > 0) {
    const int at = std::min(row, rows - 1);
    ListView_SetItemState(list, at, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    ListView_EnsureVisible(list, at, FALSE);
  }
  ShowPicture();
  SetFocus(list);
}

int CReportDlg::Focused() const {
  return static_cast<int>(
      SendMessageW(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

std::vector<std::size_t> CReportDlg::SelectedRows() const {
  std::vector<std::size_t> rows;
  HWND list = List();
  for (int row = ListView_GetNextItem(list, -1, LVNI_SELECTED); row >= 0;
       row = ListView_GetNextItem(list, row, LVNI_SELECTED))
    rows.push_back(static_cast<std::size_t>(row));
  return rows;
}

void CReportDlg::Copy() { PutOnClipboard(hwnd(), report_.Model().Lines(SelectedRows())); }

void CReportDlg::Save() {
  std::wstring path(32768, L'\0');
  const std::wstring start = L"report.txt";
  std::copy(start.begin(), start.end(), path.begin());
  const std::wstring title = platform::Widen(ui::kSaveReportTitle);
  static const wchar_t kFilters[] = L"Text (*.txt)\0*.txt\0JSON (*.json)\0*.json\0";
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = hwnd();
  dialog.lpstrFilter = kFilters;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrTitle = title.c_str();
  dialog.lpstrDefExt = L"txt";
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER;
  if (!GetSaveFileNameW(&dialog)) return;
  path.resize(wcslen(path.c_str()));
  // The type chosen wins over the extension offered by default.
  if (dialog.nFilterIndex == 2 &&
      ui::SavedFormatOf(platform::Narrow(path)) != ui::ReportFormat::Json &&
      dialog.nFileExtension > 0 &&
      path.compare(dialog.nFileExtension, std::wstring::npos, L"txt") == 0)
    path.replace(dialog.nFileExtension, std::wstring::npos, L"json");
  report_.Save(platform::Narrow(path), SelectedRows());
}

}  // namespace mapio::win32
