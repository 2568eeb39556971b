// The about box, CAboutDlg ("About Mapio"): OK, Enter, Esc and the close
// box close it.
#pragma once

#include "res/control_ids.h"
#include "ui/win32/dialog.h"

namespace mapio::win32 {

class CAboutDlg final : public Dialog {
 public:
  explicit CAboutDlg(Dialogs& dialogs) : Dialog(res::kAboutDialog, dialogs) {}
};

}  // namespace mapio::win32
