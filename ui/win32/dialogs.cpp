#include "ui/win32/dialogs.h"

#include <shlobj.h>

#include <string>

#include "platform/wide_win32.h"
#include "ui/message_look.h"
#include "ui/win32/long_message.h"
#include "ui/win32/placement.h"

namespace mapio::win32 {

namespace {

MessageButton FromResult(int result) {
  switch (result) {
    case IDOK: return MessageButton::Ok;
    case IDYES: return MessageButton::Yes;
    case IDNO: return MessageButton::No;
    default: return MessageButton::Cancel;
  }
}

}  // namespace

UINT MessageBoxStyle(MessageKind kind) {
  const ui::MessageLook look = ui::LookOf(kind);
  UINT icon = MB_ICONINFORMATION;
  if (look.icon == ui::MessageIcon::Warning) icon = MB_ICONEXCLAMATION;
  if (look.icon == ui::MessageIcon::Question) icon = MB_ICONQUESTION;
  UINT buttons = MB_OK;
  if (look.buttonCount > 1) {
    buttons = look.buttons[0] == MessageButton::Yes ? MB_YESNO : MB_OKCANCEL;
  }
  return icon | buttons;
}

MessageButton Win32Dialogs::ShowMessage(HWND owner, std::string_view text, std::string_view caption,
                                        MessageKind kind) {
  if (IsLongMessage(text)) return ShowLongMessage(owner, text, caption, kind);
  return FromResult(
      CenteredMessageBox(owner, std::string(text), std::string(caption), MessageBoxStyle(kind)));
}

std::string Win32Dialogs::BrowseForFolder(HWND owner) {
  wchar_t name[MAX_PATH] = {};
  const std::wstring title = platform::Widen(ui::kBrowseTitle);
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.pszDisplayName = name;
  info.lpszTitle = title.c_str();
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
  // Room for a long path; a cancel or an item outside the file system
  // gives an empty one.
  std::wstring path(32768, L'\0');
  if (!chosen || !SHGetPathFromIDListEx(chosen, path.data(), static_cast<DWORD>(path.size()),
                                        GPFIDL_DEFAULT)) {
    path.clear();
  }
  CoTaskMemFree(chosen);
  return platform::Narrow(path.c_str());
}

}  // namespace mapio::win32
