#include "ui/win32/progress_window.h"

#include <string>
#include <utility>

#include "platform/wide_win32.h"
#include "ui/progress_text.h"

namespace mapio::win32 {

namespace {

void PaintPending() {
  // Paint only: input waits, so no second job can start inside this one.
  MSG message;
  while (PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
    DispatchMessageW(&message);
  }
}

}  // namespace

ProgressWindow::ProgressWindow(HWND owner, Clock clock)
    : owner_(owner), pacer_(clock ? std::move(clock) : [] {
        return static_cast<std::int64_t>(GetTickCount64());
      }) {}

ProgressWindow::~ProgressWindow() {
  if (window_) DestroyWindow(window_);
}

void ProgressWindow::Begin() { pacer_.Begin(); }

void ProgressWindow::Report(const JobProgress& progress) {
  const ui::ProgressPacer::Step step = pacer_.Report(shown() != nullptr);
  if (!step.repaint && !step.show) return;
  if (step.show) Show();
  if (window_) {
    SetWindowTextW(window_, platform::Widen(ui::DescribeProgress(progress)).c_str());
    UpdateWindow(window_);
  }
  PaintPending();
}

void ProgressWindow::End() {
  pacer_.End();
  Hide();
}

HWND ProgressWindow::shown() const {
  return window_ && IsWindowVisible(window_) ? window_ : nullptr;
}

void ProgressWindow::Show() {
  if (!window_) {
    // A static control as a small pop-up: its text is the line.
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME, L"STATIC", L"",
                              WS_POPUP | WS_BORDER | SS_CENTER | SS_CENTERIMAGE, 0, 0, 320, 56,
                              owner_, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window_) return;
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
  }
  RECT ownerRect{};
  RECT own{};
  GetWindowRect(owner_, &ownerRect);
  GetWindowRect(window_, &own);
  const int x = (ownerRect.left + ownerRect.right - (own.right - own.left)) / 2;
  const int y = (ownerRect.top + ownerRect.bottom - (own.bottom - own.top)) / 2;
  SetWindowPos(window_, nullptr, x, y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void ProgressWindow::Hide() {
  if (window_) ShowWindow(window_, SW_HIDE);
}

void ProgressWindow::PauseProgress() {
  pacer_.Pause();
  Hide();
}

}  // namespace mapio::win32
