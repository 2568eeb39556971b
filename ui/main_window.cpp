#include "ui/main_window.h"

#include <utility>

#include "core/object_kind.h"

namespace mapio::ui {

MainWindow::MainWindow(MainWindowView& view, JobEntries jobs) : view_(view) {
  jobs_.makeMapping = Wrap(std::move(jobs.makeMapping));
  jobs_.translate = Wrap(std::move(jobs.translate));
}

JobEntry MainWindow::Wrap(JobEntry job) {
  return [this, job = std::move(job)](JobSettings& settings, JobHost& host) {
    struct Ended {
      MainWindowView& view;
      ~Ended() { view.JobEnded(); }
    } ended{view_};
    view_.JobStarted();
    if (job) job(settings, host);
  };
}

bool MainWindow::PullSettings(JobSettings& settings) {
  return PullFromControls(view_.ReadControls(), settings);
}

void MainWindow::PushSettings(const JobSettings& settings) {
  MainControls controls = view_.ReadControls();
  PushToControls(settings, controls);
  view_.WriteControls(controls);
}

MessageButton MainWindow::ShowMessage(std::string_view text, std::string_view caption,
                                      MessageKind kind) {
  return view_.ShowBox(text, caption.empty() ? kApplicationName : caption, kind);
}

void MainWindow::ReportProgress(const JobProgress& progress) { view_.JobProgressed(progress); }

void MainWindow::Initialise() {
  MainControls controls;
  PushToControls(settings_, controls);
  view_.WriteControls(controls);
}

void MainWindow::Go() { RunJob(*this, settings_, jobs_); }

void MainWindow::FoldersDropped(const std::vector<std::string>& paths) {
  ApplyDroppedFolders(*this, settings_, paths, jobs_);
}

void MainWindow::FolderChosen(const std::string& path) {
  // Pull first, so that choices made since the last job are not pushed away.
  PullSettings(settings_);
  settings_.folderPath = path;
  PushSettings(settings_);
}

void MainWindow::TranslateModeChosen() {
  PullSettings(settings_);
  const std::int32_t kind = settings_.objectKind;
  if (kind >= 0 && kind < kObjectKindCount && !kKinds[kind].translatable) {
    settings_.objectKind = Faces;
  }
  settings_.allFilenamesAreIds = 0;
  PushSettings(settings_);
  MainControls controls = view_.ReadControls();
  controls.allFilenamesEnabled = false;
  controls.kitsEnabled = false;
  view_.WriteControls(controls);
}

void MainWindow::MakeModeChosen() {
  MainControls controls = view_.ReadControls();
  controls.allFilenamesEnabled = true;
  controls.kitsEnabled = true;
  view_.WriteControls(controls);
}

bool MainWindow::ConfirmQuit() {
  return ShowMessage(kQuitText, kQuitCaption, MessageKind::Confirmation) == MessageButton::Ok;
}

}  // namespace mapio::ui
