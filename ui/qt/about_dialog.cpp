#include "ui/qt/about_dialog.h"

#include <QPushButton>

#include "res/dialog_template.h"

namespace mapio::qt {

CAboutDlg::CAboutDlg(QWidget* owner) : QDialog(owner) {
  built_ = BuildDialog(*this, res::AboutTemplate());
  connect(built_.Get<QPushButton>(1), &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace mapio::qt
