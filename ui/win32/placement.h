// Where windows open: the main window in the middle of the screen, every
// dialog and message box in the middle of the window that owns it.
#pragma once

#include <windows.h>

#include <string>

namespace mapio::win32 {

// `window` moved so that its centre is the centre of `over`, then pulled
// back into `workArea` as far as it fits (its top-left corner wins, so the
// title bar stays reachable).
RECT CenteredRect(const RECT& window, const RECT& over, const RECT& workArea);

// Centres `window` over its owner when the owner is shown and not
// minimised, else on the work area of the screen it is on.
void CenterOnOwner(HWND window);

// MessageBoxW for UTF-8 texts, opened centred over `owner`.
int CenteredMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT style);

}  // namespace mapio::win32
