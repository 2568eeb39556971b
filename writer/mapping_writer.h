// The make job: config.xml with one record per file of a folder.
#pragma once

#include <cstdint>
#include <string>

#include "core/job_events.h"
#include "core/object_kind.h"
#include "platform/atomic_writer.h"
#include "writer/record_maker.h"

namespace mapio::writer {

struct MakeOptions {
  ObjectKind kind = Faces;
  // Each file's ID from the number its name begins with, asking nothing.
  bool idsFromNames = false;
  // What the writer of config.xml meets (tests).
  platform::WriterHooks writerHooks{};
};

struct MakeOutcome {
  enum class Result {
    Written,
    Kept,           // config.xml was there, and the question said to keep it
    ListingFailed,  // the folder could not be listed
    NotCreated,     // config.xml could not be opened for writing (`failure` says why)
    WriteFailed,    // it could not be written or put in place (`failure` says why)
  };
  Result result = Result::Written;
  platform::WriteFailure failure = platform::WriteFailure::None;
  std::uint32_t added = 0;
  NameList tooLarge;    // files whose number is too large for an ID
  NameList passedOver;  // entries that are no files of the folder: a FIFO, a link out of it
};

// Lists the folder, asks ReplaceMapping when config.xml is there, and
// writes it whole or not at all: one record per file, the ID from the name
// or asked of `events`.
MakeOutcome MakeMapping(const std::string& folderPath, const MakeOptions& options,
                        MakeEvents& events);

}  // namespace mapio::writer
