#pragma once

#include <iosfwd>

#include "cli/command_line.h"

namespace mapio::cli {

// mapio-cli scan: each pack's findings as they come, the clashes, and a
// summary per folder; or one JSON document.
int RunScan(const CliRequest& request, std::ostream& out, std::ostream& err, bool stderrIsTerminal);

// mapio-cli why: the records of one ID below a folder, and their pictures.
int RunWhy(const CliRequest& request, std::ostream& out, std::ostream& err);

}  // namespace mapio::cli
