#include "ui/main_window.h"

#include <utility>

#include "core/object_kind.h"
#include "ui/check_job.h"

namespace mapio::ui {

namespace {

// The view is told when a job starts and, whatever happens, when it ends.
class JobScope {
 public:
  explicit JobScope(MainWindowView& view) : view_(view) { view_.JobStarted(); }
  ~JobScope() { view_.JobEnded(); }
  JobScope(const JobScope&) = delete;
  JobScope& operator=(const JobScope&) = delete;

 private:
  MainWindowView& view_;
};

}  // namespace

MainWindow::MainWindow(MainWindowView& view, JobEntries jobs) : view_(view) {
  jobs_.makeMapping = Wrap(std::move(jobs.makeMapping));
  jobs_.translate = Wrap(std::move(jobs.translate));
  jobs_.update = std::move(jobs.update);
}

JobEntry MainWindow::Wrap(JobEntry job) {
  return [this, job = std::move(job)](JobSettings& settings, JobHost& host) {
    JobScope scope(view_);
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

void MainWindow::Check() {
  const std::optional<std::string> folder = ChosenFolder(*this, settings_);
  if (!folder) return;
  // The report comes back with a fresh check after each update it starts.
  for (;;) {
    CheckOutcome outcome;
    {
      JobScope scope(view_);
      outcome = CheckFolder(*folder, settings_.folderPath, settings_.objectKind,
                            [this](const JobProgress& progress) { view_.JobProgressed(progress); });
    }
    if (outcome.clean) {
      ShowMessage(outcome.text, kCheckCaption, MessageKind::Information);
      return;
    }
    ReportButtons buttons;
    if (outcome.newPictures != 0 && jobs_.update)
      buttons.addNew = AddNewButtonText(outcome.newPictures);
    if (outcome.missingRecords != 0 && jobs_.update)
      buttons.removeMissing = RemoveMissingButtonText(outcome.missingRecords);
    const ReportChoice choice = view_.ShowReport(outcome.text, kCheckCaption, buttons);
    if (choice == ReportChoice::Close) return;
    Update(*folder, choice,
           choice == ReportChoice::AddNew ? outcome.newPictures : outcome.missingRecords);
  }
}

void MainWindow::Update(const std::string& folder, ReportChoice choice, std::size_t count) {
  const bool adding = choice == ReportChoice::AddNew;
  if (ShowMessage(adding ? AddNewQuestion(count) : RemoveMissingQuestion(count), kUpdateCaption,
                  MessageKind::Question) != MessageButton::Yes)
    return;
  PullSettings(settings_);  // "All filenames are IDs" as it is ticked now
  JobSettings forJob = settings_;
  forJob.folderPath = folder;
  JobScope scope(view_);
  jobs_.update(forJob, *this, adding, !adding);
}

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
