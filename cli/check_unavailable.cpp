// The Windows build has no XML parser to read packs with (Debian ships
// pugixml for the host only), so its check says so.
#include <ostream>

#include "cli/check_command.h"
#include "cli/cli.h"

namespace mapio::cli {

int RunCheck(const CliRequest&, std::ostream&, std::ostream& err, bool) {
  err << "mapio-cli: check is not part of this build\n";
  return kExitUsage;
}

}  // namespace mapio::cli
