#include "ui/win32/long_message.h"

#include <algorithm>
#include <string>
#include <vector>

#include "res/dialog_template.h"
#include "ui/long_message_rule.h"
#include "ui/message_look.h"
#include "ui/win32/placement.h"

namespace mapio::win32 {

namespace {

constexpr WORD kTextId = kLongMessageTextId;
constexpr WORD kIconId = kLongMessageIconId;

// An in-memory dialog template: DLGTEMPLATE, then its items, each on a
// DWORD boundary.
class TemplateWriter {
 public:
  void Dialog(const char* caption, short cx, short cy, WORD items) {
    DLGTEMPLATE head{};
    head.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    head.cdit = items;
    head.cx = cx;
    head.cy = cy;
    Append(&head, sizeof head);
    Word(0);  // no menu
    Word(0);  // the dialog class
    Text(caption);
    Word(res::kDialogFontPoints);
    Text(std::string(res::kDialogFont).c_str());
  }

  void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom,
            const char* text) {
    Align();
    DLGITEMTEMPLATE item{};
    item.style = WS_CHILD | WS_VISIBLE | style;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.id = id;
    Append(&item, sizeof item);
    Word(0xFFFF);
    Word(atom);
    Text(text);
    Word(0);  // no creation data
  }

  const DLGTEMPLATE* data() {
    Align();
    return reinterpret_cast<const DLGTEMPLATE*>(words_.data());
  }

 private:
  void Append(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const WORD*>(data);
    words_.insert(words_.end(), bytes, bytes + size / sizeof(WORD));
  }
  void Word(WORD w) { words_.push_back(w); }
  void Text(const char* text) {
    for (; *text; ++text) Word(static_cast<unsigned char>(*text));
    Word(0);
  }
  void Align() {
    if (words_.size() % 2) Word(0);
  }

  std::vector<WORD> words_;
};

LPCSTR IconOf(ui::MessageIcon icon) {
  switch (icon) {
    case ui::MessageIcon::Warning: return MAKEINTRESOURCEA(32515);   // IDI_WARNING
    case ui::MessageIcon::Question: return MAKEINTRESOURCEA(32514);  // IDI_QUESTION
    case ui::MessageIcon::Information: break;
  }
  return MAKEINTRESOURCEA(32516);  // IDI_INFORMATION
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

// Line breaks as the edit box wants them.
std::string WithCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));
  for (const char c : text) {
    if (c == '\n') out.push_back('\r');
    out.push_back(c);
  }
  return out;
}

struct Shown {
  std::string text;
  LPCSTR icon;
};

INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* shown = reinterpret_cast<const Shown*>(lParam);
    SendDlgItemMessageA(hwnd, kIconId, STM_SETICON,
                        reinterpret_cast<WPARAM>(LoadIconA(nullptr, shown->icon)), 0);
    SendDlgItemMessageA(hwnd, kTextId, EM_SETLIMITTEXT, 0, 0);
    SetDlgItemTextA(hwnd, kTextId, shown->text.c_str());
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
  writer.Item(SS_ICON, 7, 7, 21, 20, kIconId, 0x0082, "");
  writer.Item(WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL |
                  ES_AUTOHSCROLL | WS_TABSTOP,
              36, 7, 257, 166, kTextId, 0x0081, "");
  short x = two ? 189 : 243;
  for (int i = 0; i < look.buttonCount; ++i) {
    const int id = IdOf(look.buttons[i]);
    const DWORD style = (i == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP;
    writer.Item(style, x, 179, 50, 14, static_cast<WORD>(id), 0x0080, ButtonText(id));
    x = static_cast<short>(x + 54);
  }
  Shown shown{WithCrLf(text), IconOf(look.icon)};
  const INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), writer.data(), owner,
                                                 &Procedure, reinterpret_cast<LPARAM>(&shown));
  switch (result) {
    case IDOK: return MessageButton::Ok;
    case IDYES: return MessageButton::Yes;
    case IDNO: return MessageButton::No;
    default: return look.closed;
  }
}

}  // namespace mapio::win32
