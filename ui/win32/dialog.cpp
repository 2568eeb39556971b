#include "ui/win32/dialog.h"

#include <string>

#include "platform/wide_win32.h"
#include "ui/win32/placement.h"

namespace mapio::win32 {

namespace {

// Posted by WM_INITDIALOG, so that it arrives inside the modal loop.
constexpr UINT kShownMessage = WM_APP + 0x4d;

}  // namespace

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(window, text.data(), length + 1);
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return platform::Narrow(text);
}

INT_PTR Dialog::RunModal(HWND owner) {
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner,
                         &Dialog::Procedure, reinterpret_cast<LPARAM>(this));
}

INT_PTR Dialog::RunModal(HWND owner, const DLGTEMPLATE* dialogTemplate) {
  return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialogTemplate, owner,
                                 &Dialog::Procedure, reinterpret_cast<LPARAM>(this));
}

std::string Dialog::ItemText(int id) const { return WindowText(Item(id)); }

void Dialog::SetItemText(int id, std::string_view text) {
  SetDlgItemTextW(hwnd_, id, platform::Widen(text).c_str());
}

bool Dialog::OnCommand(int id, int /*notification*/) {
  if (id != IDOK && id != IDCANCEL) return false;
  End(id);
  return true;
}

bool Dialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

INT_PTR CALLBACK Dialog::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* dialog = reinterpret_cast<Dialog*>(lParam);
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    dialog->hwnd_ = hwnd;
  }
  auto* dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  return dialog ? dialog->Handle(message, wParam, lParam) : FALSE;
}

INT_PTR Dialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const bool defaultFocus = OnInitDialog();
      if (!PlacesItself()) CenterOnOwner(hwnd_);  // after OnInitDialog, which may size it
      PostMessageW(hwnd_, kShownMessage, 0, 0);
      return defaultFocus ? TRUE : FALSE;
    }
    case kShownMessage: dialogs_.Opened(*this); return TRUE;
    case WM_COMMAND: return OnCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    default: {
      INT_PTR result = 0;
      if (!OnMessage(message, wParam, lParam, result)) return FALSE;
      // Messages whose answer is the procedure's own return value.
      if (message == WM_QUERYDRAGICON || message == WM_CTLCOLORSTATIC) return result;
      SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
      return TRUE;
    }
  }
}

}  // namespace mapio::win32
