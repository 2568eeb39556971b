#pragma once

#include "ui/job_host.h"
#include "ui/run_job.h"

namespace mapio::ui {

// The jobs of the window: the writer and the update job ask `prompter` for IDs.
// `prompter` must outlive the entries.
JobEntries MakeJobEntries(IdPrompter& prompter);

}  // namespace mapio::ui
