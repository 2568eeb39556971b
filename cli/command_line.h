#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "res/version.h"

namespace mapio::cli {

enum class Command { Help, Version, Make, Translate };

// What the user asked for, once the command line has been checked.
struct CliRequest {
  Command command = Command::Help;
  std::vector<std::string> folders;
  std::int32_t objectKind = 0;
  bool idsFromNames = false;        // -n
  std::optional<bool> overwrite;    // -y: true, --no: false, neither: ask
  bool dryRun = false;              // translate --dry-run
  bool quiet = false;               // -q
};

struct ParseResult {
  std::optional<CliRequest> request;
  std::string usageError;  // set when request is empty
};

ParseResult ParseCommandLine(int argc, const char* const* argv);

// A kind by its name (faces, kits, nation-logos, ...) or its number.
std::optional<std::int32_t> ParseObjectKind(std::string_view text);

// The --help text.
std::string UsageText();

inline constexpr std::string_view kVersionText = "Mapio " MAPIO_VERSION;

}  // namespace mapio::cli
