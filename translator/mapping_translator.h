#pragma once

#include <functional>
#include <string>

#include "core/job_host.h"
#include "core/job_settings.h"

namespace mapio {

struct TranslateOptions {
  // Report each rename that would be made and rename nothing.
  bool dryRun = false;
  // Called for every rename made (or, in a dry run, that would be made),
  // with the old and new file names (no folder).
  std::function<void(const std::string& from, const std::string& to)> onRename;
};

// The translate job's one entry, for every front end.
// "Translate file names to IDs": rename every mapped picture to its ID.
void MappingTranslator(JobSettings& settings, JobHost& host, const TranslateOptions& options = {});

}  // namespace mapio
