// What the main window does that is not drawing. A front end implements
// MainWindowView over its widgets, forwards its events to MainWindow and
// hands MainWindow to the jobs as their JobHost.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/check_report.h"
#include "ui/job_host.h"
#include "ui/job_settings.h"
#include "ui/run_job.h"
#include "ui/main_controls.h"

namespace mapio::ui {

inline constexpr std::string_view kQuitText = "Do you really want to quit?";
inline constexpr std::string_view kQuitCaption = "Quit?";
inline constexpr std::string_view kBrowseTitle = "Choose a folder";

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

class MainWindow final : public JobHost {
 public:
  // `jobs` are what RunJob dispatches to (MakeJobEntries in the program).
  MainWindow(MainWindowView& view, JobEntries jobs);

  JobSettings& settings() { return settings_; }
  const JobSettings& settings() const { return settings_; }

  bool PullSettings(JobSettings& settings) override;
  void PushSettings(const JobSettings& settings) override;
  MessageButton ShowMessage(std::string_view text, std::string_view caption,
                            MessageKind kind) override;
  void ReportProgress(const JobProgress& progress) override;

  // The defaults into the controls, everything enabled (make mode).
  void Initialise();
  // "&GO!" and the Enter key.
  void Go();
  // "C&heck": the folder in the path box, for the marked kind, in either mode.
  void Check();
  void FoldersDropped(const std::vector<std::string>& paths);
  // The folder chooser's answer; empty when it was cancelled, which clears
  // the path box.
  void FolderChosen(const std::string& path);
  void TranslateModeChosen();
  void MakeModeChosen();
  // "Clos&e", Esc and the close box: true when the window is to close.
  bool ConfirmQuit();

 private:
  JobEntry Wrap(JobEntry job);
  // The check of `folder` for the marked kind (or of every pack below it),
  // and what its report offers.
  CheckedFolder CheckAgain(const std::string& folder);
  // The job of a report's button, once the user has said yes.
  void RunChoice(const std::string& folder, ReportChoice choice, const checker::PackReport& report);
  void Update(const std::string& folder, ReportChoice choice, const checker::PackReport& report);

  MainWindowView& view_;
  JobEntries jobs_;
  JobSettings settings_;
};

}  // namespace mapio::ui
