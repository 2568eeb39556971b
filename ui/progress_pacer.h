// When a front end shows how far a long job has come: once the job has run
// half a second with no box or prompt up, and repainted at most every 50 ms.
// Time spent in a box does not count toward showing it again.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

namespace mapio::ui {

class ProgressPacer {
 public:
  using Clock = std::function<std::int64_t()>;  // milliseconds, any origin
  static constexpr std::int64_t kShowAfterMs = 500;
  static constexpr std::int64_t kRepaintEveryMs = 50;

  explicit ProgressPacer(Clock clock) : clock_(std::move(clock)) {}

  void Begin();
  void End() { running_ = false; }
  // Around a box or a prompt.
  void Pause() { ++pauses_; }
  void Resume();
  bool running() const { return running_; }

  struct Step {
    bool show = false;     // the display is to come up now
    bool repaint = false;  // the windows are to be painted now
  };
  // One report of the job; `shown` tells whether the display is up.
  Step Report(bool shown);

 private:
  Clock clock_;
  bool running_ = false;
  int pauses_ = 0;
  std::int64_t quietSince_ = 0;  // start of the job or end of the last pause
  std::int64_t lastRepaint_ = 0;
};

// While a box or a prompt is up the progress is hidden, and the time spent
// in it does not count toward showing the progress again. Each window's
// display has PauseProgress() (pause its pacer, hide) and ResumeProgress();
// a null display is no display.
template <class Display>
class ProgressPause {
 public:
  explicit ProgressPause(Display* display) : display_(display) {
    if (display_) display_->PauseProgress();
  }
  ~ProgressPause() {
    if (display_) display_->ResumeProgress();
  }
  ProgressPause(const ProgressPause&) = delete;
  ProgressPause& operator=(const ProgressPause&) = delete;

 private:
  Display* display_;
};

}  // namespace mapio::ui
