#pragma once

#include <iosfwd>

#include "checker/check_pack.h"
#include "cli/command_line.h"

namespace mapio::cli {

// What check and scan take of the command line for each pack's check.
checker::CheckOptions CheckOptionsOf(const CliRequest& request);

// `mapio-cli check`: a report per folder on `out`, as text or as JSON.
// kExitOk when no folder has a finding, kExitTrouble when any has.
int RunCheck(const CliRequest& request, std::ostream& out, std::ostream& err,
             bool stderrIsTerminal);

}  // namespace mapio::cli
