// The message boxes and the folder browser of the native window: Dialogs
// is what every dialog of it is handed, Win32Dialogs the one the program
// makes.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "ui/dialogs.h"

namespace mapio::win32 {

class Dialog;

class Dialogs : public ui::Dialogs<HWND> {
 public:
  // One of the program's own dialogs is up, inside its modal loop: tests
  // drive it from here through its messages.
  virtual void Opened(Dialog& /*dialog*/) {}
};

class Win32Dialogs final : public Dialogs {
 public:
  // MessageBoxW centred over `owner`, or for a text too long for it the
  // long message window.
  MessageButton ShowMessage(HWND owner, std::string_view text, std::string_view caption,
                            MessageKind kind) override;
  // The shell's folder browser; empty too for a choice that is no folder
  // of the file system.
  std::string BrowseForFolder(HWND owner) override;
};

// The MessageBoxW style of each kind.
UINT MessageBoxStyle(MessageKind kind);

}  // namespace mapio::win32
