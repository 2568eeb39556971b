// Shows how far a long job has come: a small window after half a second,
// kept painted while the job works on the window's own thread.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

#include "core/job_host.h"

namespace mapio::win32 {

class ProgressWindow {
 public:
  using Clock = std::function<std::uint64_t()>;  // milliseconds, any origin
  static constexpr std::uint64_t kShowAfterMs = 500;
  static constexpr std::uint64_t kRepaintEveryMs = 50;

  explicit ProgressWindow(HWND owner, Clock clock = {});
  ~ProgressWindow();
  ProgressWindow(const ProgressWindow&) = delete;
  ProgressWindow& operator=(const ProgressWindow&) = delete;

  void SetOwner(HWND owner) { owner_ = owner; }
  void Begin();
  void Report(const JobProgress& progress);
  void End();
  bool running() const { return running_; }
  // The window while it is shown, else nullptr.
  HWND shown() const;

  // While a box or a prompt is up the progress is hidden; time spent in it
  // does not count toward showing it again.
  class Pause {
   public:
    explicit Pause(ProgressWindow* window);
    ~Pause();
    Pause(const Pause&) = delete;
    Pause& operator=(const Pause&) = delete;

   private:
    ProgressWindow* window_;
  };

 private:
  void Show();
  void Hide();

  HWND owner_;
  Clock clock_;
  HWND window_ = nullptr;
  bool running_ = false;
  int pauses_ = 0;
  std::uint64_t quietSince_ = 0;
  std::uint64_t lastRepaint_ = 0;
};

}  // namespace mapio::win32
