#include "ui/window_host.h"

namespace mapio::ui {

bool WindowHost::PullSettings(JobSettings& settings) {
  return PullFromControls(view_.ReadControls(), settings);
}

void WindowHost::PushSettings(const JobSettings& settings) {
  MainControls controls = view_.ReadControls();
  PushToControls(settings, controls);
  view_.WriteControls(controls);
}

MessageButton WindowHost::ShowMessage(std::string_view text, std::string_view caption,
                                      MessageKind kind) {
  return view_.ShowBox(text, caption.empty() ? kApplicationName : caption, kind);
}

void WindowHost::ReportProgress(const JobProgress& progress) { view_.JobProgressed(progress); }

}  // namespace mapio::ui
