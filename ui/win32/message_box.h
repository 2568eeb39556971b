// Every message box of the Windows front end goes through ShowMessageBox,
// so that tests answer boxes instead of a person.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "ui/job_host.h"
#include "ui/main_window.h"
#include "ui/win32/report_window.h"

namespace mapio::win32 {

// MessageBoxW owned by `owner` with the icon and buttons of `kind`; an
// empty caption shows the application's name.
MessageButton ShowMessageBox(HWND owner, std::string_view text, std::string_view caption,
                             MessageKind kind);

// The check's report in a window of its own (report_window.h). Boxes' test
// seam records it too, as an information box with the buttons offered.
ui::ReportChoice ShowReportBox(HWND owner, std::string_view text, std::string_view caption,
                               const ui::ReportButtons& buttons, ReportPlace& place);

// The MessageBoxW style of each kind.
UINT MessageBoxStyle(MessageKind kind);

struct ShownBox {
  std::string text;
  std::string caption;
  MessageKind kind;
  HWND owner;
  ui::ReportButtons offered;  // a report's update buttons; none for a box
};

class MessageBoxSeam {
 public:
  // From now on no box or report opens: each is recorded and answered from
  // its queue, or, when that is empty, with OK (Cancel and No for the two
  // questions) and a report with Close.
  static void StartTesting();
  static void SetNextAnswer(MessageButton answer);
  static void SetNextReportChoice(ui::ReportChoice choice);
  static const std::vector<ShownBox>& Shown();
};

}  // namespace mapio::win32
