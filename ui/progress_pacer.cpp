#include "ui/progress_pacer.h"

namespace mapio::ui {

void ProgressPacer::Begin() {
  running_ = true;
  quietSince_ = lastRepaint_ = clock_();
}

void ProgressPacer::Resume() {
  if (pauses_ > 0) --pauses_;
  quietSince_ = clock_();
}

ProgressPacer::Step ProgressPacer::Report(bool shown) {
  Step step;
  if (!running_ || pauses_ > 0) return step;
  const std::int64_t now = clock_();
  step.show = !shown && now - quietSince_ >= kShowAfterMs;
  step.repaint = now - lastRepaint_ >= kRepaintEveryMs;
  if (step.repaint) lastRepaint_ = now;
  return step;
}

}  // namespace mapio::ui
