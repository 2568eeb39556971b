// What the main window does that is not drawing. A front end implements
// MainWindowView over its widgets and forwards its events to MainWindow,
// which hands the jobs a WindowHost over that view.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/check_report.h"
#include "ui/job_settings.h"
#include "ui/mapping_editor.h"
#include "ui/run_job.h"
#include "ui/window_host.h"

namespace mapio::ui {

inline constexpr std::string_view kQuitText = "Do you really want to quit?";
inline constexpr std::string_view kQuitCaption = "Quit?";

class MainWindow final {
 public:
  // `jobs` are what RunJob dispatches to (MakeJobEntries in the program).
  MainWindow(MainWindowView& view, JobEntries jobs);

  const JobSettings& settings() const { return settings_; }

  // The defaults into the controls, everything enabled (make mode).
  void Initialise();
  // "&GO!" and the Enter key.
  void Go();
  // "C&heck": the folder in the path box, for the marked kind, in either mode.
  void Check();
  // "Edit &XML": the config.xml of the folder in the path box, in `editor`.
  void EditXml(EditorView& editor);
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
  void Update(const std::string& folder, ReportChoice choice, std::size_t count);

  MainWindowView& view_;
  WindowHost host_;
  JobEntries jobs_;
  JobSettings settings_;
};

}  // namespace mapio::ui
