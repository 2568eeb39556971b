// The main window as MainWindow sees it (MainWindowView, which each front
// end implements over its widgets) and as the jobs see it (WindowHost, the
// JobHost over that view).
#pragma once

#include <string_view>

#include "ui/check_report.h"
#include "ui/job_host.h"
#include "ui/job_settings.h"
#include "ui/main_controls.h"

namespace mapio::ui {

class MainWindowView {
 public:
  virtual ~MainWindowView() = default;
  virtual MainControls ReadControls() const = 0;
  virtual void WriteControls(const MainControls& controls) = 0;
  // A modal box owned by the window; `caption` is never empty here.
  virtual MessageButton ShowBox(std::string_view text, std::string_view caption,
                                MessageKind kind) = 0;
  // A check's report: a resizable window with its findings in a table,
  // the picture of the current one beside it, and a button for each of
  // report.Buttons() that is not empty. Boxes shown meanwhile belong to it.
  // Returns the button that closed it.
  virtual ReportChoice ShowReport(CheckReport& report) = 0;
  // Around each run of a job, and in between.
  virtual void JobStarted() {}
  virtual void JobProgressed(const JobProgress& /*progress*/) {}
  virtual void JobEnded() {}
};

// The settings are the view's controls, the boxes its boxes, the progress
// its progress display.
class WindowHost final : public JobHost {
 public:
  explicit WindowHost(MainWindowView& view) : view_(view) {}

  bool PullSettings(JobSettings& settings) override;
  void PushSettings(const JobSettings& settings) override;
  MessageButton ShowMessage(std::string_view text, std::string_view caption,
                            MessageKind kind) override;
  void ReportProgress(const JobProgress& progress) override;

 private:
  MainWindowView& view_;
};

}  // namespace mapio::ui
