// A check's report: resizable, its text read-only but selectable, with the
// update buttons the report offers.
#pragma once

#include <string_view>

#include "ui/main_window.h"

class QWidget;

namespace mapio::qt {

ui::ReportChoice ShowReportWindow(QWidget* owner, std::string_view text, std::string_view caption,
                                  const ui::ReportButtons& buttons);

}  // namespace mapio::qt
