// Every message box of the Windows front end goes through ShowMessageBox,
// so that tests answer boxes instead of a person.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "ui/job_host.h"
#include "ui/main_window.h"

namespace mapio::win32 {

// MessageBoxW owned by `owner` with the icon and buttons of `kind`; an
// empty caption shows the application's name.
MessageButton ShowMessageBox(HWND owner, std::string_view text, std::string_view caption,
                             MessageKind kind);

// The MessageBoxW style of each kind.
UINT MessageBoxStyle(MessageKind kind);

struct ShownBox {
  std::string text;
  std::string caption;
  MessageKind kind;
  HWND owner;
};

class MessageBoxSeam {
 public:
  // From now on no box opens: each is recorded and answered from its
  // queue, or, when that is empty, with OK (Cancel and No for the two
  // questions).
  static void StartTesting();
  static void SetNextAnswer(MessageButton answer);
  static const std::vector<ShownBox>& Shown();
};

}  // namespace mapio::win32
