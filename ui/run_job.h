// "&GO!" and dropped folders: the folder checked, made absolute once, and
// the marked job run on it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/chosen_folder.h"
#include "ui/job_host.h"
#include "ui/job_settings.h"

namespace mapio {

// The window's jobs, as RunJob runs them.
using JobEntry = std::function<void(JobSettings&, JobHost&)>;
// The update job, which no action chooses: the check's report offers it.
using UpdateEntry = std::function<void(JobSettings&, JobHost&, bool addNew, bool prune)>;
struct JobEntries {
  JobEntry makeMapping;  // action 0
  JobEntry translate;    // action 1
  UpdateEntry update;
};

// What every job on the chosen folder checks first: pull, then the path set,
// not too long and a folder. The folder as an absolute path, or nullopt
// once a box has said what is wrong.
std::optional<std::string> FolderToWorkOn(JobHost& host, JobSettings& settings);

// "&GO!": pull, check the folder, run the job of `action` on it.
void RunJob(JobHost& host, JobSettings& settings, const JobEntries& jobs);

// Folders dropped onto the window, in the order the drop lists them.
void ApplyDroppedFolders(JobHost& host, JobSettings& settings,
                         const std::vector<std::string>& paths, const JobEntries& jobs);

}  // namespace mapio
