#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/job_host.h"
#include "core/job_settings.h"

namespace mapio {

// Shown by every job that is started without a folder.
inline constexpr std::string_view kChooseDirText = "Please choose directory!";
inline constexpr std::string_view kChooseDirCaption = "Choose directory";

// The two jobs RunJob dispatches to. The core knows neither library, so the
// front end hands them in.
using JobEntry = std::function<void(JobSettings&, JobHost&)>;
struct JobEntries {
  JobEntry makeMapping;  // action 0
  JobEntry translate;    // action 1
};

// "&GO!": pull, check the folder, make it current, run the job of `action`.
void RunJob(JobHost& host, JobSettings& settings, const JobEntries& jobs);

// Folders dropped onto the window, in the order the drop lists them.
void ApplyDroppedFolders(JobHost& host, JobSettings& settings,
                         const std::vector<std::string>& paths, const JobEntries& jobs);

}  // namespace mapio
