#include "cli/cli.h"

#include <istream>
#include <ostream>

#include "cli/check_command.h"
#include "cli/command_line.h"
#include "cli/convert_command.h"
#include "cli/undo_command.h"
#include "cli/job_commands.h"

namespace mapio::cli {

int RunCli(int argc, const char* const* argv, std::istream& in, std::ostream& out,
           std::ostream& err, bool stdinIsTerminal, bool stderrIsTerminal) {
  ParseResult parsed = ParseCommandLine(argc, argv);
  if (!parsed.request) {
    err << "mapio-cli: " << parsed.usageError << "\nTry 'mapio-cli --help' for more.\n";
    return kExitUsage;
  }
  const CliRequest& request = *parsed.request;
  const Streams streams{in, out, err, stdinIsTerminal, stderrIsTerminal};
  switch (request.command) {
    case Command::Help: out << UsageText(); return kExitOk;
    case Command::Version: out << kVersionText << '\n'; return kExitOk;
    case Command::Check: return RunCheck(request, out, err, stderrIsTerminal);
    case Command::Convert: return RunConvert(request, out, err);
    case Command::Undo: return RunUndo(request, out, err);
    case Command::Make: break;
    case Command::Translate: return RunTranslate(request, streams);
    case Command::Update: return RunUpdate(request, streams);
  }
  return RunMake(request, streams);
}

}  // namespace mapio::cli
