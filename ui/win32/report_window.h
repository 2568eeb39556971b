// The check's report: a resizable window of read-only text that can be
// selected and copied, with Close and the update buttons the report offers.
#pragma once

#include <windows.h>

#include <string_view>

#include "ui/main_window.h"

namespace mapio::win32 {

// Where the report stood when it last closed, so that the fresh report
// after an update opens where the user left the old one; empty at first.
struct ReportPlace {
  RECT rect{};
  bool known = false;
};

// Modal over `owner`; the button that closed it (Close for Esc and the
// close box). Opens at `place` when it is known, and keeps it up to date.
ui::ReportChoice ShowReportWindow(HWND owner, std::string_view text, std::string_view caption,
                                  const ui::ReportButtons& buttons, ReportPlace& place);

}  // namespace mapio::win32
