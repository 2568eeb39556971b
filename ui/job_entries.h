#pragma once

#include "core/job_host.h"
#include "core/run_job.h"

namespace mapio::ui {

// The two jobs RunJob dispatches to: the writer asks `prompter` for IDs.
// `prompter` must outlive the entries.
JobEntries MakeJobEntries(IdPrompter& prompter);

}  // namespace mapio::ui
