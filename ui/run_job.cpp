#include "ui/run_job.h"

#include "platform/platform.h"

namespace mapio {

namespace {

void WarnNoFolder(JobHost& host) {
  host.ShowMessage("Directory does not exist, please check the path!", kChooseDirCaption,
                   MessageKind::Warning);
}

}  // namespace

std::optional<std::string> ChosenFolder(JobHost& host, JobSettings& settings) {
  host.PullSettings(settings);  // a path box that overflowed still holds a path to check
  if (settings.folderPath.empty()) {
    host.ShowMessage(kChooseDirText, kChooseDirCaption, MessageKind::Warning);
    return std::nullopt;
  }
  // Made absolute here, once: the current directory never changes.
  std::string folder = platform::AbsolutePath(settings.folderPath);
  if (settings.folderPath.size() > platform::kMaxFolderPath || !platform::IsDirectory(folder)) {
    WarnNoFolder(host);
    return std::nullopt;
  }
  return folder;
}

void RunJob(JobHost& host, JobSettings& settings, const JobEntries& jobs) {
  const std::optional<std::string> folder = ChosenFolder(host, settings);
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
