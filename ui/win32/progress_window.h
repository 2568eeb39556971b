// Shows how far a long job has come: a small window after half a second,
// kept painted while the job works on the window's own thread.
#pragma once

#include <windows.h>

#include "ui/job_host.h"
#include "ui/progress_pacer.h"

namespace mapio::win32 {

class ProgressWindow {
 public:
  using Clock = ui::ProgressPacer::Clock;

  explicit ProgressWindow(HWND owner, Clock clock = {});
  ~ProgressWindow();
  ProgressWindow(const ProgressWindow&) = delete;
  ProgressWindow& operator=(const ProgressWindow&) = delete;

  void SetOwner(HWND owner) { owner_ = owner; }
  void Begin();
  void Report(const JobProgress& progress);
  void End();
  // The window while it is shown, else nullptr.
  HWND shown() const;

  using Pause = ui::ProgressPause<ProgressWindow>;
  void PauseProgress();
  void ResumeProgress() { pacer_.Resume(); }

 private:
  void Show();
  void Hide();

  HWND owner_;
  ui::ProgressPacer pacer_;
  HWND window_ = nullptr;
};

}  // namespace mapio::win32
