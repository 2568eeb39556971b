#pragma once

#include <cstddef>
#include <functional>
#include <optional>
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

// The journal a translate keeps of its renames, so that undo can take them back.
struct JournalOptions {
  // Where it goes; empty: the user's data folder.
  std::string folder;
  // Called before the first rename when no journal could be written: this
  // run cannot be taken back.
  std::function<void()> onNoJournal;
  // Stops the run after this many renames as if it were killed, before
  // the journal's last renames reach the disk.
  std::optional<std::size_t> stopAfterRenamesForTesting;
};

// The translate job's one entry, for every front end.
// "Translate file names to IDs": rename every mapped picture to its ID.
void MappingTranslator(JobSettings& settings, JobHost& host, const TranslateOptions& options = {},
                       const JournalOptions& journal = {});

}  // namespace mapio
