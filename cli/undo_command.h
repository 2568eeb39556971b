#pragma once

#include <iosfwd>

#include "cli/command_line.h"

namespace mapio::cli {

// `mapio-cli undo`: each folder's latest translate taken back, or with
// --list the translates on record. kExitTrouble when anything could not
// be taken back, or there was nothing to take back.
int RunUndo(const CliRequest& request, std::ostream& out, std::ostream& err);

}  // namespace mapio::cli
