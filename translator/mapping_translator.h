#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/job_host.h"
#include "core/job_settings.h"

namespace mapio {

struct TranslateOptions {
  // Report each rename that would be made and rename nothing.
  bool dryRun = false;
  // Called for every rename made (or, in a dry run, that would be made),
  // with the old and new file names (no folder).
  std::function<void(const std::string& from, const std::string& to)> onRename;
  // Where the closing "Status" message goes as it is made, instead of in
  // one piece at the end, so that half a million lines are never held:
  // the pieces in order are its text, and `last` marks the final one.
  std::function<void(std::string_view piece, bool last)> onStatus;
};

// The translate job's one entry, for every front end.
// "Translate file names to IDs": rename every mapped picture to its ID.
void MappingTranslator(JobSettings& settings, JobHost& host, const TranslateOptions& options = {});

}  // namespace mapio
