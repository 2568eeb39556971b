#include "ui/main_window.h"

#include <algorithm>
#include <utility>

#include "core/object_kind.h"
#include "platform/platform.h"
#include "ui/check_job.h"
#include "ui/report_jobs.h"

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

MainWindow::MainWindow(MainWindowView& view, JobEntries jobs) : view_(view), host_(view) {
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

void MainWindow::Initialise() {
  MainControls controls;
  PushToControls(settings_, controls);
  view_.WriteControls(controls);
}

void MainWindow::Go() { RunJob(host_, settings_, jobs_); }

void MainWindow::EditXml(EditorView& editor) { MappingEditor(host_, settings_, editor); }

namespace {

// Nothing wrong, and no job to offer: a box says so instead of a report.
bool NothingToReport(const CheckedFolder& checked) {
  if (const CheckedPack* one = std::get_if<CheckedPack>(&checked))
    return one->report.findingCount == 0 && one->buttons == ReportButtons{};
  const CheckedPacks& packs = std::get<CheckedPacks>(checked);
  return packs.scan.outcome.Clean() &&
         std::all_of(packs.buttons.begin(), packs.buttons.end(),
                     [](const ReportButtons& b) { return b == ReportButtons{}; });
}

std::string CleanFolderText(const CheckedFolder& checked) {
  if (const CheckedPack* one = std::get_if<CheckedPack>(&checked)) return CleanText(one->report);
  return CleanText(std::get<CheckedPacks>(checked).scan);
}

}  // namespace

void MainWindow::Check() {
  const std::optional<std::string> folder = FolderToWorkOn(host_, settings_);
  if (!folder) return;
  // The report comes back with a fresh check after each job it starts,
  // showing what the user chose to see in the last one.
  ReportView shownAs;
  for (;;) {
    CheckedFolder checked = CheckAgain(*folder);
    // A clean pack still shows its report when the report has a job to
    // offer: its IDs to write in the other style, a translate to take back.
    if (NothingToReport(checked)) {
      host_.ShowMessage(CleanFolderText(checked), kCheckCaption, MessageKind::Information);
      return;
    }
    CheckReport report(
        host_, *folder, std::move(checked), shownAs,
        [this](const std::string& pack, std::size_t line, EditorView& editor) {
          return EditMappingFile(host_, pack, editor, line);
        },
        [this, &folder] { return CheckAgain(*folder); });
    const ReportChoice choice = view_.ShowReport(report);
    shownAs = report.Model().View();
    if (choice == ReportChoice::Close || report.ChosenPack() == CheckReport::kNoPack) return;
    // The job of the button acts on the pack of the current finding.
    const checker::PackReport* pack = report.Model().PackReport(report.ChosenPack());
    if (!pack) return;
    RunChoice(report.FolderOf(report.ChosenPack()), choice, *pack);
  }
}

CheckedFolder MainWindow::CheckAgain(const std::string& folder) {
  JobScope scope(view_);
  const bool canUpdate = static_cast<bool>(jobs_.update);
  FolderReport found =
      CheckFolderOrPacks(folder, settings_.folderPath, settings_.Kind(),
                         [this](const JobProgress& progress) { view_.JobProgressed(progress); });
  if (checker::PackReport* own = std::get_if<checker::PackReport>(&found)) {
    CheckedPack checked{std::move(*own), {}};
    checked.buttons = ReportOffers(checked.report, folder, canUpdate);
    return checked;
  }
  CheckedPacks checked{std::move(std::get<ScanReport>(found)), {}, settings_.Kind()};
  for (const scan::ScannedPack& pack : checked.scan.outcome.packs) {
    const std::string packFolder =
        pack.relative.empty() ? folder : platform::JoinPath(folder, pack.relative);
    checked.buttons.push_back(ReportOffers(pack.report, packFolder, canUpdate));
  }
  return checked;
}

void MainWindow::RunChoice(const std::string& folder, ReportChoice choice,
                           const checker::PackReport& report) {
  switch (choice) {
    case ReportChoice::AddNew: return Update(folder, choice, report.newPictures);
    case ReportChoice::RemoveMissing: return Update(folder, choice, report.missingRecords);
    case ReportChoice::UseGeneratedIds:
    case ReportChoice::UsePlainIds: {
      JobScope scope(view_);
      return ConvertFromReport(host_, folder, report, choice == ReportChoice::UseGeneratedIds);
    }
    case ReportChoice::UndoTranslate: {
      JobScope scope(view_);
      return UndoFromReport(host_, folder);
    }
    case ReportChoice::Close: return;
  }
}

void MainWindow::Update(const std::string& folder, ReportChoice choice, std::size_t count) {
  const bool adding = choice == ReportChoice::AddNew;
  if (host_.ShowMessage(adding ? AddNewQuestion(count) : RemoveMissingQuestion(count),
                        kUpdateCaption, MessageKind::Question) != MessageButton::Yes)
    return;
  host_.PullSettings(settings_);  // "All filenames are IDs" as it is ticked now
  JobSettings forJob = settings_;
  forJob.folderPath = folder;
  JobScope scope(view_);
  jobs_.update(forJob, host_, adding, !adding);
}

void MainWindow::FoldersDropped(const std::vector<std::string>& paths) {
  ApplyDroppedFolders(host_, settings_, paths, jobs_);
}

void MainWindow::FolderChosen(const std::string& path) {
  // Pull first, so that choices made since the last job are not pushed away.
  host_.PullSettings(settings_);
  settings_.folderPath = path;
  host_.PushSettings(settings_);
}

void MainWindow::TranslateModeChosen() {
  host_.PullSettings(settings_);
  if (settings_.objectKind && !KindOf(*settings_.objectKind).translatable) {
    settings_.objectKind = Faces;
  }
  settings_.allFilenamesAreIds = false;
  host_.PushSettings(settings_);
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
  return host_.ShowMessage(kQuitText, kQuitCaption, MessageKind::Confirmation) == MessageButton::Ok;
}

}  // namespace mapio::ui
