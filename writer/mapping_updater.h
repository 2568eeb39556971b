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

// How many of the records `report` (the folder's check) finds missing the
// update job would remove: a line that holds more than its one record
// stays. 0 when its config.xml cannot be read or has no list.
std::size_t CountRemovableRecords(const std::string& folderPath, const checker::PackReport& report);

// How many files of the folder the update job would add records for; 0
// when its config.xml cannot be read or has no list.
std::size_t CountNewPictures(const std::string& folderPath);

}  // namespace mapio
