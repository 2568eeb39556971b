#pragma once

#include <functional>
#include <string>

#include "core/job_host.h"
#include "core/job_settings.h"

namespace mapio {

struct UpdateOptions {
  // Add records for the new pictures.
  bool addNew = true;
  // Remove the records whose picture has gone.
  bool prune = false;
  // Report the changes and write nothing.
  bool dryRun = false;
  // Called for every record added ('+') or removed ('-'), its text without
  // indent or line end, in a dry run too.
  std::function<void(char change, const std::string& line)> onChange;
};

// The update job's one entry: adds records for the folder's new pictures to
// its config.xml and, when asked, removes those whose picture has gone.
// Every other byte of the file stays as it was.
void MappingUpdater(JobSettings& settings, JobHost& host, IdPrompter& prompter,
                    const UpdateOptions& options = {});

}  // namespace mapio
