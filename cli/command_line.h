#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/options.h"
#include "convert/convert_ids.h"
#include "core/object_kind.h"
#include "res/version.h"

namespace mapio::cli {

enum class Command { Help, Version, Job };

// What the user asked for, once the command line has been checked.
struct CliRequest {
  Command command = Command::Help;
  // The job to run; with Help, the job whose help is asked for (none: all).
  std::optional<Job> job;
  std::vector<std::string> folders;
  ObjectKind objectKind = Faces;
  bool kindGiven = false;         // -k; check finds the kind itself without it
  bool idsFromNames = false;      // -n
  std::optional<bool> overwrite;  // -y: true, --no: false, neither: ask
  bool dryRun = false;            // translate, update --dry-run
  bool prune = false;             // update --prune
  bool quiet = false;             // -q
  bool json = false;              // check --json
  bool caseSensitive = false;     // check --case-sensitive
  bool pictures = true;           // check: not --no-pictures
  bool deep = false;              // check --deep
  bool toGenerated = true;        // convert --to r (else plain)
  std::vector<IdRange> ids;       // convert --ids, --ids-from; empty: every ID
  bool list = false;              // undo --list
  std::string id;                 // why: the ID's digits
};

struct ParseResult {
  std::optional<CliRequest> request;
  std::string usageError;  // set when request is empty
};

ParseResult ParseCommandLine(int argc, const char* const* argv);

// A kind by its name (faces, kits, nation-logos, ...) or its number.
std::optional<ObjectKind> ParseObjectKind(std::string_view text);

// The name ParseObjectKind takes for a kind ("club-logos").
std::string_view ObjectKindName(ObjectKind kind);

inline constexpr std::string_view kVersionText = "Mapio " MAPIO_VERSION;

}  // namespace mapio::cli
