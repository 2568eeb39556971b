// A check's report: resizable, its text read-only but selectable.
#pragma once

#include <string_view>

class QWidget;

namespace mapio::qt {

void ShowReportWindow(QWidget* owner, std::string_view text, std::string_view caption);

}  // namespace mapio::qt
