// A message box for texts too long for MessageBoxA (the translator's list
// of renamed files can run to 200,000 lines): the same icon, buttons and
// exact text, the text in a scrollable read-only box.
#pragma once

#include <windows.h>

#include <string_view>

#include "ui/job_host.h"

namespace mapio::win32 {

// The ids of the box's own controls (it is built in code, not from res/).
inline constexpr WORD kLongMessageTextId = 100;
inline constexpr WORD kLongMessageIconId = 101;

// More lines or characters than a plain box shows on a screen.
bool IsLongMessage(std::string_view text);

MessageButton ShowLongMessage(HWND owner, std::string_view text, std::string_view caption,
                              MessageKind kind);

}  // namespace mapio::win32
