#include "ui/win32/placement.h"

#include <algorithm>

#include "platform/wide_win32.h"

namespace mapio::win32 {

namespace {

LONG Centered(LONG size, LONG overStart, LONG overEnd) {
  return overStart + (overEnd - overStart - size) / 2;
}

LONG Clamped(LONG start, LONG size, LONG areaStart, LONG areaEnd) {
  return std::max(areaStart, std::min(start, areaEnd - size));
}

RECT WorkAreaOf(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)) {
    return info.rcWork;
  }
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

// The message box of this thread that is about to open; the hook lives
// only while MessageBoxW runs.
thread_local HHOOK t_boxHook = nullptr;

LRESULT CALLBACK CenterBoxOnActivation(int code, WPARAM wParam, LPARAM lParam) {
  const HHOOK hook = t_boxHook;
  if (code == HCBT_ACTIVATE && hook != nullptr) {
    t_boxHook = nullptr;
    UnhookWindowsHookEx(hook);
    CenterOnOwner(reinterpret_cast<HWND>(wParam));
    return 0;
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

}  // namespace

RECT CenteredRect(const RECT& window, const RECT& over, const RECT& workArea) {
  const LONG width = window.right - window.left;
  const LONG height = window.bottom - window.top;
  const LONG left =
      Clamped(Centered(width, over.left, over.right), width, workArea.left, workArea.right);
  const LONG top =
      Clamped(Centered(height, over.top, over.bottom), height, workArea.top, workArea.bottom);
  return RECT{left, top, left + width, top + height};
}

void CenterOnOwner(HWND window) {
  const HWND owner = GetWindow(window, GW_OWNER);
  const bool overOwner = owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner);
  const RECT workArea = WorkAreaOf(overOwner ? owner : window);
  RECT own{};
  RECT over = workArea;
  if (!GetWindowRect(window, &own) || (overOwner && !GetWindowRect(owner, &over))) return;
  const RECT placed = CenteredRect(own, over, workArea);
  SetWindowPos(window, nullptr, placed.left, placed.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CenteredMessageBox(HWND owner, const std::string& text, const std::string& caption,
                       UINT style) {
  t_boxHook = SetWindowsHookExW(WH_CBT, &CenterBoxOnActivation, nullptr, GetCurrentThreadId());
  const int result =
      MessageBoxW(owner, platform::Widen(text).c_str(), platform::Widen(caption).c_str(), style);
  if (t_boxHook != nullptr) {  // the box never opened
    UnhookWindowsHookEx(t_boxHook);
    t_boxHook = nullptr;
  }
  return result;
}

}  // namespace mapio::win32
