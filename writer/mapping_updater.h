#pragma once

#include <functional>
#include <string>

#include "checker/check_pack.h"
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
  // Called for every record line added ('+') or removed ('-'), without its
  // line end, in a dry run too.
  std::function<void(char change, const std::string& line)> onChange;
};

// The update job's one entry: adds records for the folder's new pictures to
// its config.xml and, when asked, removes those whose picture has gone.
// Every other byte of the file stays as it was.
void MappingUpdater(JobSettings& settings, JobHost& host, IdPrompter& prompter,
                    const UpdateOptions& options = {});

struct UpdateCounts {
  std::size_t newPictures = 0;       // files the update job would add records for
  std::size_t removableRecords = 0;  // records it would remove when pruning
};

// What the update job could do in the folder, after `report`, its check:
// of the records the check finds missing, a line that holds more than its
// one record stays. Both 0 when config.xml cannot be read or has no list.
// config.xml is read and the folder listed once for both.
UpdateCounts CountUpdates(const std::string& folderPath, const checker::PackReport& report);

}  // namespace mapio
