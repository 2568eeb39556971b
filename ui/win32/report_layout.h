// The report window's measures: its parts' sizes, dialog units to pixels,
// the size of a text in the dialog's font, and moves that wait for one
// repaint.
#pragma once

#include <windows.h>

#include <string_view>

#include "ui/report_model.h"

namespace mapio::win32 {

// In dialog units.
inline constexpr int kMargin = 7;
inline constexpr int kGap = 4;
inline constexpr int kButtonHeight = 14;
inline constexpr int kButtonWidth = 50;
inline constexpr int kLabelHeight = 9;
inline constexpr int kRadioHeight = 11;
inline constexpr int kPictureSide = 128;  // a face pack's pictures fit whole
inline constexpr int kFactsHeight = 3 * kLabelHeight;
inline constexpr int kMinTableHeight = 60;
inline constexpr int kMinTableWidth = 160;
// The widest cells of each column (by ReportColumn), in characters.
inline constexpr int kColumnChars[ui::kAllReportColumns] = {14, 6, 18, 10, 40, 16};

int ToPixelsX(HWND dialog, int units);
int ToPixelsY(HWND dialog, int units);

// `text` as drawn in the dialog's font, at most `width` wide (0: on one
// line), without an access key's '&' when `prefixed`.
SIZE TextSize(HWND dialog, std::string_view text, int width, bool prefixed);

// A push button wide enough for its label, and never narrower than the
// usual button.
int ButtonWidth(HWND dialog, HWND button);

void Move(HWND window, int x, int y, int width, int height);

}  // namespace mapio::win32
