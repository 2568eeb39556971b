#include "cli/cli.h"

#include <istream>
#include <ostream>

#include "cli/check_command.h"
#include "cli/command_line.h"
#include "cli/convert_command.h"
#include "cli/scan_command.h"
#include "cli/undo_command.h"
#include "cli/usage.h"
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
  if (request.command == Command::Help) {
    out << (request.job ? JobUsageText(*request.job) : UsageText());
    return kExitOk;
  }
  if (request.command == Command::Version) {
    out << kVersionText << '\n';
    return kExitOk;
  }
  switch (*request.job) {
    case Job::Check: return RunCheck(request, out, err, stderrIsTerminal);
    case Job::Scan: return RunScan(request, out, err, stderrIsTerminal);
    case Job::Why: return RunWhy(request, out, err);
    case Job::Convert: return RunConvert(request, out, err);
    case Job::Undo: return RunUndo(request, out, err);
    case Job::Make: break;
    case Job::Translate: return RunTranslate(request, streams);
    case Job::Update: return RunUpdate(request, streams);
  }
  return RunMake(request, streams);
}

}  // namespace mapio::cli
