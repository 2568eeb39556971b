// The translate job: every picture config.xml maps renamed to its ID.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/job_events.h"
#include "core/name_list.h"
#include "core/object_kind.h"
#include "platform/files.h"

namespace mapio::translator {

// The journal a translate keeps of its renames, so that undo can take them back.
struct JournalOptions {
  // Where it goes; empty: the user's data folder.
  std::string folder;
  // Stop the run as if it were killed: after this many renames, or with
  // the line of the rename after this many written but the rename not made.
  std::optional<std::size_t> stopAfterRenamesForTesting;
  std::optional<std::size_t> stopBeforeRenameForTesting;
  // Called after each rename with the count so far: where a test runs
  // another job on the folder while this one is under way.
  std::function<void(std::size_t renamed)> afterRenameForTesting;
};

struct TranslateOptions {
  ObjectKind kind = Faces;  // which records are read
  // Tell each rename that would be made, and rename nothing.
  bool dryRun = false;
  JournalOptions journal;
};

struct TranslateRename {
  const std::string& from;  // the record's name and ID
  const std::string& id;
  int extension;               // index into the picture extensions of the one renamed
  const std::string& oldName;  // the file renamed, in its own letter case
  const std::string& newName;
};

// What the job tells as it goes, in the order of config.xml's records.
class TranslateEvents : public JobEvents {
 public:
  // A record line, when the kind has no read format (kits): before Unreadable.
  virtual void NoReadFormat() {}
  // A record line that is not a record of the kind.
  virtual void Unreadable() {}
  // A record none of whose pictures could be renamed.
  virtual void NotRenamed(const std::string& /*from*/, const std::string& /*id*/) {}
  // A picture renamed (in a dry run, one that would be).
  virtual void Renamed(const TranslateRename& /*rename*/) {}
  // Before the first rename, when no journal could be written: this run
  // cannot be taken back.
  virtual void NoJournal() {}
};

struct TranslateOutcome {
  enum class Result {
    Done,
    NotOpened,  // config.xml could not be opened (`readResult` says why)
    NoList,     // no "<list id="maps">" among its first 256 lines
    Busy,       // a translate or an undo of the folder is running: nothing renamed
    Stopped,    // a test stopped it half-way
  };
  Result result = Result::Done;
  platform::ReadResult readResult = platform::ReadResult::Ok;
  int renamed = 0;
  int failed = 0;
  bool journal = false;  // a journal of the renames was written
  // Entries a record names that are no files of the folder (a FIFO, a
  // device, a link out of it or to nothing): never renamed.
  NameList passedOver;
};

// Reads config.xml line by line and renames, for each record of the kind,
// the picture of its name (".png", ".jpg", ".gif" in turn) to its ID,
// never replacing a file. Holds the folder's lock while it renames, so
// that no undo of the folder runs meanwhile.
TranslateOutcome TranslateNames(const std::string& folderPath, const TranslateOptions& options,
                                TranslateEvents& events);
inline TranslateOutcome TranslateNames(const std::string& folderPath,
                                       const TranslateOptions& options) {
  TranslateEvents unheard;
  return TranslateNames(folderPath, options, unheard);
}

}  // namespace mapio::translator
