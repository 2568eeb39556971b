// The check's report: a resizable window of read-only text that can be
// selected and copied, with Close and the update buttons the report offers.
#pragma once

#include <windows.h>

#include <string_view>

#include "ui/main_window.h"

namespace mapio::win32 {

// Modal over `owner`; the button that closed it (Close for Esc and the
// close box).
ui::ReportChoice ShowReportWindow(HWND owner, std::string_view text, std::string_view caption,
                                  const ui::ReportButtons& buttons);

}  // namespace mapio::win32
