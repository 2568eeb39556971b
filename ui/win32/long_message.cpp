#include "ui/win32/long_message.h"

#include <algorithm>
#include <string>

#include "platform/wide_win32.h"
#include "res/dialog_template.h"
#include "ui/long_message_rule.h"
#include "ui/message_look.h"
#include "ui/win32/memory_template.h"
#include "ui/win32/placement.h"

namespace mapio::win32 {

namespace {

constexpr WORD kTextId = kLongMessageTextId;
constexpr WORD kIconId = kLongMessageIconId;

LPCWSTR IconOf(ui::MessageIcon icon) {
  switch (icon) {
    case ui::MessageIcon::Warning: return MAKEINTRESOURCEW(32515);   // IDI_WARNING
    case ui::MessageIcon::Question: return MAKEINTRESOURCEW(32514);  // IDI_QUESTION
    case ui::MessageIcon::Information: break;
  }
  return MAKEINTRESOURCEW(32516);  // IDI_INFORMATION
}

int IdOf(MessageButton button) {
  switch (button) {
    case MessageButton::Ok: return IDOK;
    case MessageButton::Cancel: return IDCANCEL;
    case MessageButton::Yes: return IDYES;
    case MessageButton::No: return IDNO;
  }
  return IDOK;
}

const char* ButtonText(int id) {
  switch (id) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    case IDYES: return "&Yes";
    default: return "&No";
  }
}

struct Shown {
  std::wstring text;
  LPCWSTR icon;
};

INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* shown = reinterpret_cast<const Shown*>(lParam);
    SendDlgItemMessageW(hwnd, kIconId, STM_SETICON,
                        reinterpret_cast<WPARAM>(LoadIconW(nullptr, shown->icon)), 0);
    SendDlgItemMessageW(hwnd, kTextId, EM_SETLIMITTEXT, 0, 0);
    SetDlgItemTextW(hwnd, kTextId, shown->text.c_str());
    CenterOnOwner(hwnd);
    return TRUE;
  }
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    const int id = LOWORD(wParam);
    if (id == IDOK || id == IDCANCEL || id == IDYES || id == IDNO) EndDialog(hwnd, id);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

bool IsLongMessage(std::string_view text) {
  return ui::IsLongMessage(text.size(),
                           static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));
}

MessageButton ShowLongMessage(HWND owner, std::string_view text, std::string_view caption,
                              MessageKind kind) {
  const ui::MessageLook look = ui::LookOf(kind);
  const bool two = look.buttonCount > 1;
  TemplateWriter writer;
  const std::string captionText(caption);
  writer.Dialog(captionText.c_str(), 300, 200, two ? 4 : 3);
  writer.Item(SS_ICON, 7, 7, 21, 20, kIconId, kStaticClass, "");
  writer.Item(kReadOnlyTextStyle, 36, 7, 257, 166, kTextId, kEditClass, "");
  short x = two ? 189 : 243;
  for (int i = 0; i < look.buttonCount; ++i) {
    const int id = IdOf(look.buttons[i]);
    const DWORD style = (i == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP;
    writer.Item(style, x, 179, 50, 14, static_cast<WORD>(id), kButtonClass, ButtonText(id));
    x = static_cast<short>(x + 54);
  }
  Shown shown{platform::Widen(WithCrLf(text)), IconOf(look.icon)};
  const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), writer.data(), owner,
                                                 &Procedure, reinterpret_cast<LPARAM>(&shown));
  switch (result) {
    case IDOK: return MessageButton::Ok;
    case IDYES: return MessageButton::Yes;
    case IDNO: return MessageButton::No;
    default: return look.closed;
  }
}

}  // namespace mapio::win32
