// The convert job: a pack's IDs from one style to the other, plain
// ("2000123") or as newer versions of the game give generated people
// ("r-2000123"), changing nothing else in config.xml.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/object_kind.h"
#include "platform/atomic_writer.h"
#include "platform/files.h"

namespace mapio::convert {

enum class IdStyle : std::uint8_t { Plain, Generated };

// IDs from `first` to `last`, both in.
struct IdRange {
  std::uint64_t first = 0;
  std::uint64_t last = 0;
};

struct ConvertOptions {
  // The kind whose records change; nullopt: the kind most records have.
  std::optional<ObjectKind> kind;
  IdStyle to = IdStyle::Generated;
  // Only these IDs; empty: every one.
  std::vector<IdRange> ids;
  bool dryRun = false;
  // How many changes the outcome shows, as the records were and will be.
  std::size_t examples = 5;
};

struct ConvertOutcome {
  enum class Result {
    Converted,         // config.xml was written (or, in a dry run, would be)
    NothingToConvert,  // every record of the kind is in the style already, or left out
    NoFile,            // no config.xml to read (readResult, utf16 say why)
    NoList,            // no list of maps to convert
    WriteFailed,
  };
  Result result = Result::NothingToConvert;
  ObjectKind kind = Faces;
  bool kindFound = false;  // from the records, not given
  std::size_t converted = 0;
  std::size_t alreadyInStyle = 0;
  std::size_t leftOut = 0;       // of the kind, but not among the IDs asked for
  std::size_t otherKinds = 0;    // records of other kinds
  std::size_t fixed = 0;         // placeholders and the like, and targets of no picture
  std::size_t unchangeable = 0;  // a target written with entities, left as it is
  std::vector<std::pair<std::string, std::string>> examples;  // record before and after
  // When NoFile or WriteFailed: why.
  platform::ReadResult readResult = platform::ReadResult::Ok;
  bool utf16 = false;
  platform::WriteFailure writeFailure = platform::WriteFailure::None;
};

// Reads the folder's config.xml once and rewrites only the ID part of each
// record target that changes; the file is not written when nothing does.
ConvertOutcome ConvertIds(const std::string& folderPath, const ConvertOptions& options);

// "2000000-2999999" or "17"; nullopt for anything else.
std::optional<IdRange> ParseIdRange(std::string_view text);

}  // namespace mapio::convert
