#pragma once

#include "core/job_host.h"
#include "core/job_settings.h"

namespace mapio {

// The make job's one entry, for every front end.
// "Make config.xml file": one record per file of the folder.
void MappingWriter(JobSettings& settings, JobHost& host, IdPrompter& prompter);

}  // namespace mapio
