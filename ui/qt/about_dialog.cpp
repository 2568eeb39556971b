#include "ui/qt/about_dialog.h"

#include <QPushButton>

#include "res/control_ids.h"
#include "res/dialog_template.h"

namespace mapio::qt {

CAboutDlg::CAboutDlg(QWidget* owner) : QDialog(owner) {
  built_ = BuildDialog(*this, res::AboutTemplate());
  connect(built_.Get<QPushButton>(res::kAboutOkButton), &QPushButton::clicked, this,
          &QDialog::accept);
}

}  // namespace mapio::qt
