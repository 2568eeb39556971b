// The editor's "Find" (template 136) and "Go to line" (template 137)
// dialogs, each modal over the editor it works on.
#pragma once

#include <QDialog>

#include "ui/qt/template_builder.h"

namespace mapio::qt {

class CXEditDlg;

// Find next and Find previous select the match in the editor and leave the
// dialog open; what was asked last is the editor's for F3 and Shift+F3.
class CFindDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CFindDlg(CXEditDlg& editor);

 private:
  void showEvent(QShowEvent* event) override;
  void Find(bool next);

  CXEditDlg& editor_;
  BuiltDialog built_;
};

// A line number from 1 to the last line; "Go to" puts the caret at the
// start of that line.
class CGoToLineDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CGoToLineDlg(CXEditDlg& editor);

 private:
  void GoTo();

  CXEditDlg& editor_;
  BuiltDialog built_;
};

}  // namespace mapio::qt
