#pragma once

#include "core/job_host.h"
#include "core/job_settings.h"

namespace mapio {

// "Make config.xml file": one record per file of the folder.
void MappingWriter(JobSettings& settings, JobHost& host, IdPrompter& prompter);

}  // namespace mapio
