#include "ui/win32/report_window.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/wide_win32.h"
#include "ui/win32/memory_template.h"
#include "ui/win32/placement.h"

namespace mapio::win32 {

namespace {

constexpr WORD kTextId = 100;
constexpr WORD kAddNewId = 101;
constexpr WORD kRemoveMissingId = 102;
// Close is IDCANCEL, so that Esc and the close box answer as it does.

// In dialog units.
constexpr int kMargin = 7;
constexpr int kGap = 4;
constexpr int kButtonHeight = 14;
constexpr int kButtonWidth = 50;
constexpr int kLabelPadding = 8;  // each side of a label
constexpr int kMinTextHeight = 40;

struct Button {
  WORD id;
  std::string label;
  int width = 0;  // pixels, once the window exists
};

struct Report {
  std::string text;
  std::vector<Button> buttons;  // left to right, Close last
  POINT minimum{};              // the smallest window, in pixels
  ReportPlace* place = nullptr;
};

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

// The label as drawn in the dialog's font, without its access key's '&'.
int LabelWidth(HWND dialog, std::string_view text) {
  std::wstring label = platform::Widen(text);
  label.erase(std::remove(label.begin(), label.end(), L'&'), label.end());
  HDC dc = GetDC(dialog);
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc, label.c_str(), static_cast<int>(label.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(dialog, dc);
  return size.cx;
}

// The text fills the window; the buttons sit in a row at its bottom right.
void Layout(HWND dialog, const Report& report) {
  RECT client{};
  GetClientRect(dialog, &client);
  const int marginX = ToPixelsX(dialog, kMargin);
  const int marginY = ToPixelsY(dialog, kMargin);
  const int height = ToPixelsY(dialog, kButtonHeight);
  const int top = client.bottom - marginY - height;
  int right = client.right - marginX;
  for (auto button = report.buttons.rbegin(); button != report.buttons.rend(); ++button) {
    right -= button->width;
    MoveWindow(GetDlgItem(dialog, button->id), right, top, button->width, height, TRUE);
    right -= ToPixelsX(dialog, kGap);
  }
  MoveWindow(GetDlgItem(dialog, kTextId), marginX, marginY, client.right - 2 * marginX,
             top - ToPixelsY(dialog, kGap) - marginY, TRUE);
}

void Initialise(HWND dialog, Report& report) {
  int row = 0;
  for (Button& button : report.buttons) {
    button.width =
        std::max(ToPixelsX(dialog, kButtonWidth),
                 LabelWidth(dialog, button.label) + 2 * ToPixelsX(dialog, kLabelPadding));
    row += button.width + ToPixelsX(dialog, kGap);
  }
  RECT least{0, 0, row - ToPixelsX(dialog, kGap) + 2 * ToPixelsX(dialog, kMargin),
             ToPixelsY(dialog, 2 * kMargin + kGap + kButtonHeight + kMinTextHeight)};
  AdjustWindowRectEx(&least, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
  report.minimum = {least.right - least.left, least.bottom - least.top};
  RECT window{};
  GetWindowRect(dialog, &window);
  if (window.right - window.left < report.minimum.x)
    SetWindowPos(dialog, nullptr, 0, 0, report.minimum.x, window.bottom - window.top,
                 SWP_NOMOVE | SWP_NOZORDER);

  const HWND text = GetDlgItem(dialog, kTextId);
  SendMessageW(text, EM_SETLIMITTEXT, 0, 0);
  SetWindowTextW(text, platform::Widen(report.text).c_str());
  if (report.place->known) {
    // Where the user left it, never below the smallest size.
    const RECT& r = report.place->rect;
    SetWindowPos(dialog, nullptr, r.left, r.top, std::max(r.right - r.left, report.minimum.x),
                 std::max(r.bottom - r.top, report.minimum.y), SWP_NOZORDER);
  } else {
    CenterOnOwner(dialog);
  }
  Layout(dialog, report);
  SendMessageW(dialog, DM_SETDEFID, IDCANCEL, 0);
  // The caret at the start rather than the whole report selected.
  SetFocus(text);
  SendMessageW(text, EM_SETSEL, 0, 0);
}

// The window's normal place, also when it is maximised.
void Remember(HWND dialog, ReportPlace& place) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(dialog, &placement)) return;
  place.rect = placement.rcNormalPosition;
  place.known = true;
}

INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* report = reinterpret_cast<Report*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      report = reinterpret_cast<Report*>(lParam);
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      Initialise(dialog, *report);
      return FALSE;  // the focus is set
    case WM_SIZE:
      if (report) Layout(dialog, *report);
      return FALSE;
    case WM_GETMINMAXINFO:
      if (!report) return FALSE;
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = report->minimum;
      return TRUE;
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) return FALSE;
      if (report) Remember(dialog, *report->place);
      switch (LOWORD(wParam)) {
        case kAddNewId:
          EndDialog(dialog, static_cast<INT_PTR>(ui::ReportChoice::AddNew));
          return TRUE;
        case kRemoveMissingId:
          EndDialog(dialog, static_cast<INT_PTR>(ui::ReportChoice::RemoveMissing));
          return TRUE;
        case IDOK:  // Enter
        case IDCANCEL:
          EndDialog(dialog, static_cast<INT_PTR>(ui::ReportChoice::Close));
          return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

}  // namespace

ui::ReportChoice ShowReportWindow(HWND owner, std::string_view text, std::string_view caption,
                                  const ui::ReportButtons& buttons, ReportPlace& place) {
  Report report{WithCrLf(text), {}, {}, &place};
  if (!buttons.addNew.empty()) report.buttons.push_back({kAddNewId, buttons.addNew, 0});
  if (!buttons.removeMissing.empty())
    report.buttons.push_back({kRemoveMissingId, buttons.removeMissing, 0});
  report.buttons.push_back({IDCANCEL, "Close", 0});

  // Places and sizes are set by Layout once the window exists.
  TemplateWriter writer;
  const std::string captionText(caption);
  writer.Dialog(captionText.c_str(), 340, 220, static_cast<WORD>(1 + report.buttons.size()),
                WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CLIPCHILDREN);
  writer.Item(kReadOnlyTextStyle, 0, 0, 10, 10, kTextId, kEditClass, "");
  for (const Button& button : report.buttons) {
    const DWORD style = (button.id == IDCANCEL ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP;
    writer.Item(style, 0, 0, kButtonWidth, kButtonHeight, button.id, kButtonClass,
                button.label.c_str());
  }
  const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), writer.data(), owner,
                                                 &Procedure, reinterpret_cast<LPARAM>(&report));
  switch (result) {
    case static_cast<INT_PTR>(ui::ReportChoice::AddNew): return ui::ReportChoice::AddNew;
    case static_cast<INT_PTR>(ui::ReportChoice::RemoveMissing):
      return ui::ReportChoice::RemoveMissing;
    default: return ui::ReportChoice::Close;  // also -1, when it could not be made
  }
}

}  // namespace mapio::win32
