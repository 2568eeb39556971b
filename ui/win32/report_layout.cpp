// Where each part of the report window stands, from its size and what it
// shows.
#include "ui/win32/report_layout.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "platform/wide_win32.h"
#include "ui/win32/dialog.h"
#include "ui/win32/report_window.h"

namespace mapio::win32 {

namespace {

// In dialog units.
constexpr int kPackListWidth = 110;
constexpr int kPackListDrop = 120;
constexpr int kIdBoxWidth = 60;
constexpr int kAnswerLines = 6;

constexpr int kPackRow[] = {res::kReportPackLabel, res::kReportPackFilter, res::kReportFindIdLabel,
                            res::kReportFindIdBox, res::kReportFindIdButton};

}  // namespace

int ToPixelsX(HWND dialog, int units) {
  RECT rect{0, 0, units, 0};
  MapDialogRect(dialog, &rect);
  return rect.right;
}

int ToPixelsY(HWND dialog, int units) {
  RECT rect{0, 0, 0, units};
  MapDialogRect(dialog, &rect);
  return rect.bottom;
}

SIZE TextSize(HWND dialog, std::string_view text, int width, bool prefixed) {
  const std::wstring wide = platform::Widen(text);
  HDC dc = GetDC(dialog);
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
  RECT box{0, 0, width, 0};
  UINT format = DT_CALCRECT | (width > 0 ? DT_WORDBREAK : DT_SINGLELINE);
  if (!prefixed) format |= DT_NOPREFIX;
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &box, format);
  SelectObject(dc, old);
  ReleaseDC(dialog, dc);
  return {box.right - box.left, box.bottom - box.top};
}

int ButtonWidth(HWND dialog, HWND button) {
  const int label = static_cast<int>(TextSize(dialog, WindowText(button), 0, true).cx);
  return std::max(ToPixelsX(dialog, kButtonWidth), label + ToPixelsX(dialog, 2 * kGap));
}

void Move(HWND window, int x, int y, int width, int height) {
  MoveWindow(window, x, y, std::max(width, 0), std::max(height, 0), FALSE);
}

void CReportDlg::Layout() {
  RECT client{};
  GetClientRect(hwnd(), &client);
  const int marginX = ToPixelsX(hwnd(), kMargin), marginY = ToPixelsY(hwnd(), kMargin);
  const int gapX = ToPixelsX(hwnd(), kGap), gapY = ToPixelsY(hwnd(), kGap);
  const int labelHeight = ToPixelsY(hwnd(), kLabelHeight);
  const int buttonHeight = ToPixelsY(hwnd(), kButtonHeight);
  const int width = client.right - 2 * marginX;
  int y = marginY;

  const int summary =
      static_cast<int>(TextSize(hwnd(), ItemText(res::kReportSummary), width, false).cy);
  Move(Item(res::kReportSummary), marginX, y, width, summary);
  y += summary + gapY;

  // The filters in rows, wrapping where the window ends.
  HWND show = Item(res::kReportFilterLabel);
  const int showWidth = static_cast<int>(TextSize(hwnd(), ui::kFilterLabel, 0, true).cx) + gapX;
  const int radioHeight = ToPixelsY(hwnd(), kRadioHeight);
  Move(show, marginX, y + (radioHeight - labelHeight) / 2, showWidth, labelHeight);
  int x = marginX + showWidth;
  for (HWND radio : filters_) {
    const int radioWidth = static_cast<int>(TextSize(hwnd(), WindowText(radio), 0, false).cx) +
                           GetSystemMetrics(SM_CXMENUCHECK) + gapX;
    if (x + radioWidth > client.right - marginX && x > marginX + showWidth) {
      x = marginX + showWidth;
      y += radioHeight;
    }
    Move(radio, x, y, radioWidth, radioHeight);
    x += radioWidth + gapX;
  }
  y = LayoutPackRow(y + radioHeight + gapY);

  Move(Item(res::kReportFindingsLabel), marginX, y, width, labelHeight);
  y += labelHeight;

  // Bottom up: Copy, Save report... and Close; above them the offers.
  int bottom = client.bottom - marginY - buttonHeight;
  HWND closeButton = Item(res::kReportCloseButton);
  const int closeWidth = ButtonWidth(hwnd(), closeButton);
  Move(closeButton, client.right - marginX - closeWidth, bottom, closeWidth, buttonHeight);
  x = marginX;
  for (int id : {res::kReportCopyButton, res::kReportSaveButton}) {
    HWND button = Item(id);
    const int w = ButtonWidth(hwnd(), button);
    Move(button, x, bottom, w, buttonHeight);
    x += w + gapX;
  }
  bool anyOffer = false;
  x = marginX;
  const int offerTop = bottom - gapY - buttonHeight;
  for (const ui::ReportOffer& offer : ui::Offers(report_.Buttons())) {
    if (offer.text.empty()) continue;
    anyOffer = true;
    HWND button = Item(ui::OfferControlId(offer.choice));
    const int w = ButtonWidth(hwnd(), button);
    Move(button, x, offerTop, w, buttonHeight);
    x += w + gapX;
  }
  if (anyOffer) bottom = offerTop;

  const int side = ToPixelsX(hwnd(), kPictureSide);
  const int tableWidth = width - side - gapX;
  const int tableHeight = bottom - gapY - y;
  Move(List(), marginX, y, tableWidth, tableHeight);
  // The detail takes the width the other columns leave.
  RECT inside{};
  GetClientRect(List(), &inside);
  const int last = static_cast<int>(report_.Model().Columns().size()) - 1;
  int others = 0;
  for (int c = 0; c < last; ++c) others += ListView_GetColumnWidth(List(), c);
  const int least =
      kColumnChars[static_cast<int>(ui::ReportColumn::Detail)] * LOWORD(GetDialogBaseUnits()) / 2;
  ListView_SetColumnWidth(List(), last, std::max(least, static_cast<int>(inside.right) - others));
  const int pictureX = marginX + tableWidth + gapX;
  Move(Item(res::kReportPicture), pictureX, y, side, side);
  Move(Item(res::kReportPictureName), pictureX, y + side + gapY, side,
       ToPixelsY(hwnd(), kFactsHeight));
  Move(Item(res::kReportPictureFacts), pictureX, y + side + gapY + ToPixelsY(hwnd(), kFactsHeight),
       side, ToPixelsY(hwnd(), kFactsHeight));
  // The controls were moved without a repaint of their own: all at once now,
  // also when the window is up (a "Find ID" answer, another pack's buttons).
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

int CReportDlg::LayoutPackRow(int y) {
  const bool scanned = report_.Model().Scanned();
  for (const int id : kPackRow) ShowWindow(Item(id), scanned ? SW_SHOWNA : SW_HIDE);
  ShowWindow(Item(res::kReportIdAnswer), scanned && answerShown_ ? SW_SHOWNA : SW_HIDE);
  if (!scanned) return y;
  RECT client{};
  GetClientRect(hwnd(), &client);
  const int marginX = ToPixelsX(hwnd(), kMargin);
  const int gapX = ToPixelsX(hwnd(), kGap), gapY = ToPixelsY(hwnd(), kGap);
  const int rowHeight = ToPixelsY(hwnd(), kButtonHeight);
  const int labelHeight = ToPixelsY(hwnd(), kLabelHeight);
  int x = marginX;
  const auto label = [&](int id, std::string_view text) {
    const int w = static_cast<int>(TextSize(hwnd(), text, 0, true).cx) + gapX;
    Move(Item(id), x, y + (rowHeight - labelHeight) / 2, w, labelHeight);
    x += w;
  };
  label(res::kReportPackLabel, ui::kPackFilterLabel);
  const int listWidth = ToPixelsX(hwnd(), kPackListWidth);
  Move(Item(res::kReportPackFilter), x, y, listWidth, ToPixelsY(hwnd(), kPackListDrop));
  x += listWidth + 3 * gapX;
  label(res::kReportFindIdLabel, ui::kFindIdLabel);
  const int boxWidth = ToPixelsX(hwnd(), kIdBoxWidth);
  Move(Item(res::kReportFindIdBox), x, y, boxWidth, rowHeight);
  x += boxWidth + gapX;
  HWND find = Item(res::kReportFindIdButton);
  Move(find, x, y, ButtonWidth(hwnd(), find), rowHeight);
  y += rowHeight + gapY;
  if (answerShown_) {
    const int height = ToPixelsY(hwnd(), kAnswerLines * kLabelHeight);
    Move(Item(res::kReportIdAnswer), marginX, y, client.right - 2 * marginX, height);
    y += height + gapY;
  }
  return y;
}

}  // namespace mapio::win32
