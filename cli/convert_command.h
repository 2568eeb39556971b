#pragma once

#include <iosfwd>

#include "cli/command_line.h"

namespace mapio::cli {

// `mapio-cli convert`: each folder's IDs into the style asked for; a line
// per folder on `out`, and its first changes in a dry run. kExitTrouble
// when a folder could not be converted.
int RunConvert(const CliRequest& request, std::ostream& out, std::ostream& err);

}  // namespace mapio::cli
