// CAboutDlg, the about box (template 100). OK, Enter, Esc and the close box
// close it.
#pragma once

#include <QDialog>

#include "ui/qt/template_builder.h"

namespace mapio::qt {

class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* owner = nullptr);
  const BuiltDialog& controls() const { return built_; }

 private:
  BuiltDialog built_;
};

}  // namespace mapio::qt
