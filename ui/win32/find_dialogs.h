// The editor's "Find" (template 136) and "Go to line" (template 137)
// dialogs, each modal over the editor it works on.
#pragma once

#include "ui/win32/dialog.h"

namespace mapio::win32 {

class CXEditDlg;

// Find next and Find previous select the match in the editor and leave the
// dialog open; what was asked last is the editor's for F3 and Shift+F3.
class CFindDlg final : public Dialog {
 public:
  explicit CFindDlg(CXEditDlg& editor);

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int notification) override;
  bool PlacesItself() const override { return true; }

 private:
  void Find(bool next);
  CXEditDlg& editor_;
};

// A line number from 1 to the last line; "Go to" puts the caret at the
// start of that line.
class CGoToLineDlg final : public Dialog {
 public:
  explicit CGoToLineDlg(CXEditDlg& editor);

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int notification) override;

 private:
  CXEditDlg& editor_;
};

}  // namespace mapio::win32
