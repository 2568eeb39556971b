#include "ui/run_job.h"

#include <utility>

namespace mapio {

std::optional<std::string> FolderToWorkOn(JobHost& host, JobSettings& settings) {
  host.PullSettings(settings);  // a path box that overflowed still holds a path to check
  ChosenFolder folder = ChooseFolder(settings.folderPath);
  if (!folder) {
    host.ShowMessage(FolderProblemText(folder.problem), kChooseDirCaption, MessageKind::Warning);
    return std::nullopt;
  }
  return std::move(folder.path);
}

void RunJob(JobHost& host, JobSettings& settings, const JobEntries& jobs) {
  const std::optional<std::string> folder = FolderToWorkOn(host, settings);
  if (!folder) return;
  const JobEntry* job = nullptr;
  if (settings.action == Action::Make) job = &jobs.makeMapping;
  if (settings.action == Action::Translate) job = &jobs.translate;
  if (job == nullptr) {
    host.ShowMessage("Error choosing action!", kErrorCaption, MessageKind::Warning);
    return;
  }
  if (!*job) return;
  JobSettings forJob = settings;
  forJob.folderPath = *folder;
  (*job)(forJob, host);
}

void ApplyDroppedFolders(JobHost& host, JobSettings& settings,
                         const std::vector<std::string>& paths, const JobEntries& jobs) {
  host.PullSettings(settings);
  for (const std::string& path : paths) {
    settings.folderPath = path;
    host.PushSettings(settings);
    if (settings.processDroppedFolders) RunJob(host, settings, jobs);
  }
}

}  // namespace mapio
