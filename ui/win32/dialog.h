// A modal dialog made from a template in the program's resources. Each
// dialog class handles the commands and messages it needs; everything else
// gets the dialog manager's default.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "ui/win32/dialogs.h"

namespace mapio::win32 {

class Dialog {
 public:
  // Its boxes, and those of the dialogs it opens, come from `dialogs`,
  // which hears when it is up.
  Dialog(int templateId, Dialogs& dialogs) : templateId_(templateId), dialogs_(dialogs) {}
  virtual ~Dialog() = default;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // The result the dialog ended with, or -1 when it could not be made.
  INT_PTR RunModal(HWND owner);
  // The same for a dialog built in memory; templateId() then only names it.
  INT_PTR RunModal(HWND owner, const DLGTEMPLATE* dialogTemplate);

  HWND hwnd() const { return hwnd_; }
  int templateId() const { return templateId_; }
  Dialogs& dialogs() const { return dialogs_; }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  std::string ItemText(int id) const;
  void SetItemText(int id, std::string_view text);
  // True once the dialog has decided to close (its window goes a moment
  // later, when its loop next runs).
  bool ended() const { return ended_; }

 protected:
  // After the controls exist. True leaves the focus to the dialog manager.
  virtual bool OnInitDialog() { return true; }
  // True when handled. The default ends the dialog on OK and Cancel.
  virtual bool OnCommand(int id, int notification);
  // False: the dialog is centred on its owner once it is made.
  virtual bool PlacesItself() const { return false; }
  // Any other message; true when handled, with `result` as the answer.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);
  void End(INT_PTR result) {
    ended_ = true;
    EndDialog(hwnd_, result);
  }

 private:
  static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);

  int templateId_;
  Dialogs& dialogs_;
  HWND hwnd_ = nullptr;
  bool ended_ = false;
};

// Text of a window, as UTF-8.
std::string WindowText(HWND window);

}  // namespace mapio::win32
