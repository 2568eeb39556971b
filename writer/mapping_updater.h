// The update job: records for a folder's new pictures added to its
// config.xml, and those whose picture has gone removed on request; every
// other byte of the file stays as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/job_events.h"
#include "core/object_kind.h"
#include "platform/atomic_writer.h"
#include "platform/files.h"
#include "writer/record_maker.h"

namespace mapio::writer {

struct UpdateOptions {
  // The kind of the records added and pruned; nullopt: the kind most of
  // the records have (faces when there are none), as check takes it.
  std::optional<ObjectKind> kind;
  // New pictures' IDs from the numbers their names begin with.
  bool idsFromNames = false;
  // Add records for the new pictures: those directly in the folder, as
  // make maps them.
  bool addNew = true;
  // Remove the records whose picture has gone.
  bool prune = false;
  // Report the changes and write nothing.
  bool dryRun = false;
  // Tell UpdateEvents::Changed of every record added or removed.
  bool listChanges = false;
  // What the writer of config.xml meets (tests).
  platform::WriterHooks writerHooks{};
};

struct UpdateOutcome {
  enum class Result {
    Updated,        // written, or nothing was to change (or a dry run)
    NotRead,        // config.xml could not be read (`readResult`, `utf16` say why)
    NoList,         // it has no list to update
    ListingFailed,  // the folder could not be listed
    WriteFailed,    // `failure` says why; nothing was changed
  };
  struct Removed {
    std::size_t line;
    std::string name;
  };
  Result result = Result::Updated;
  platform::ReadResult readResult = platform::ReadResult::Ok;
  bool utf16 = false;
  platform::WriteFailure failure = platform::WriteFailure::None;
  std::uint32_t added = 0;
  std::size_t kept = 0;  // records that stay
  std::vector<Removed> removed;
  NameList tooLarge;    // new pictures whose number is too large for an ID
  NameList unnumbered;  // new pictures whose name begins with no number (IDs from names)
  NameList
      passedOver;  // names of pictures that are no files of the folder: a FIFO, a link out of it
};

class UpdateEvents : public MakeEvents {
 public:
  // A record added ('+') or removed ('-'), its text without indent or line
  // end, in a dry run too; only with UpdateOptions::listChanges.
  virtual void Changed(char /*change*/, const std::string& /*line*/) {}
};

UpdateOutcome UpdateMapping(const std::string& folderPath, const UpdateOptions& options,
                            UpdateEvents& events);

}  // namespace mapio::writer
