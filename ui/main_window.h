// What the main window does that is not drawing. A front end implements
// MainWindowView over its widgets, forwards its events to MainWindow and
// hands MainWindow to the jobs as their JobHost.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/job_host.h"
#include "ui/job_settings.h"
#include "ui/run_job.h"
#include "ui/main_controls.h"

namespace mapio::ui {

inline constexpr std::string_view kQuitText = "Do you really want to quit?";
inline constexpr std::string_view kQuitCaption = "Quit?";
inline constexpr std::string_view kBrowseTitle = "Choose a folder";

struct ReportButtons {
  std::string addNew;  // empty: no such button
  std::string removeMissing;
};
enum class ReportChoice { Close, AddNew, RemoveMissing };

class MainWindowView {
 public:
  virtual ~MainWindowView() = default;
  virtual MainControls ReadControls() const = 0;
  virtual void WriteControls(const MainControls& controls) = 0;
  // A modal box owned by the window; `caption` is never empty here.
  virtual MessageButton ShowBox(std::string_view text, std::string_view caption,
                                MessageKind kind) = 0;
  // A check's report: a resizable window of read-only text that can be
  // selected and copied, with a button for each of `buttons` that is not
  // empty. Returns the button that closed it.
  virtual ReportChoice ShowReport(std::string_view text, std::string_view caption,
                                  const ReportButtons& buttons) = 0;
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
  // Runs the update job on `folder` once the user has said yes.
  void Update(const std::string& folder, ReportChoice choice, std::size_t count);

  MainWindowView& view_;
  JobEntries jobs_;
  JobSettings settings_;
};

}  // namespace mapio::ui
