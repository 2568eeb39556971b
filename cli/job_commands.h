#pragma once

#include <iosfwd>

#include "cli/command_line.h"

namespace mapio::cli {

struct Streams {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  bool stdinIsTerminal;
  bool stderrIsTerminal;
};

// mapio-cli make, translate and update: the job on each folder in turn,
// its outcome in lines. kExitTrouble when any warning or error was printed.
int RunMake(const CliRequest& request, const Streams& streams);
int RunTranslate(const CliRequest& request, const Streams& streams);
int RunUpdate(const CliRequest& request, const Streams& streams);

}  // namespace mapio::cli
