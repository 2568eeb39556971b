#pragma once

#include <iosfwd>

#include "cli/command_line.h"

namespace mapio::cli {

// `mapio-cli check`: a report per folder on `out`, as text or as JSON.
// kExitOk when no folder has a finding, kExitTrouble when any has.
int RunCheck(const CliRequest& request, std::ostream& out, std::ostream& err,
             bool stderrIsTerminal);

}  // namespace mapio::cli
