#include "cli/scan_command.h"

#include <ostream>
#include <sstream>

#include "checker/report.h"
#include "cli/cli.h"
#include "cli/folder_argument.h"
#include "cli/terminal.h"
#include "scan/scan_folder.h"
#include "scan/scan_json.h"
#include "scan/scan_report.h"
#include "scan/why.h"
#include "scan/why_report.h"

namespace mapio::cli {

namespace {

// Text goes out line by line as the scan finds it; JSON takes it all in.
scan::ScanEvents TextEvents(std::ostream& out, Terminal& progressLine, std::string& line) {
  scan::ScanEvents events;
  const auto say = [&out, &progressLine](const std::string& text) {
    progressLine.ClearProgress();
    out << text << '\n';
  };
  events.finding = [say, &line](const scan::ScannedPack& pack, const checker::Finding& f) {
    line.clear();
    scan::AppendPackFindingLine(pack, f, line);
    say(line);
  };
  events.packChecked = [say](const scan::ScannedPack& pack) {
    say(checker::SummaryLine(pack.report));
  };
  events.unreadable = [say](const std::string& relative) { say(scan::UnreadableLine(relative)); };
  events.clash = [say, &line](const scan::Clash& clash,
                              const std::vector<scan::ScannedPack>& packs) {
    line.clear();
    scan::AppendClashLine(clash, packs, line);
    say(line);
  };
  return events;
}

}  // namespace

int RunScan(const CliRequest& request, std::ostream& out, std::ostream& err,
            bool stderrIsTerminal) {
  std::istringstream noInput;
  TerminalOptions terminalOptions;
  terminalOptions.progress = stderrIsTerminal && !request.quiet;
  Terminal progressLine(noInput, out, err, std::move(terminalOptions));

  scan::ScanOptions options;
  options.pictures = request.pictures;
  options.deep = request.deep;
  options.caseSensitive = request.caseSensitive;
  std::string line;
  scan::ScanEvents events = request.json ? scan::ScanEvents{} : TextEvents(out, progressLine, line);
  events.kindName = [](ObjectKind kind) { return std::string(ObjectKindName(kind)); };
  events.progress = [&](const JobProgress& progress) { progressLine.Progress(progress); };
  events.packStarted = [&](const scan::ScannedPack&) { progressLine.JobStarted(); };

  bool anyFound = false;
  scan::ScanJson json;
  for (const std::string& folder : request.folders) {
    const std::optional<std::string> path = FolderArgument(folder, err);
    if (!path) {
      anyFound = true;
      continue;
    }
    const scan::ScanOutcome outcome = scan::ScanFolder(*path, options, events);
    progressLine.ClearProgress();
    anyFound = anyFound || !outcome.Clean();
    if (request.json)
      json.Add(folder, outcome);
    else
      out << scan::ScanSummaryLine(folder, outcome) << '\n';
  }
  if (request.json) out << json.Text() << '\n';
  out << std::flush;
  return anyFound ? kExitTrouble : kExitOk;
}

int RunWhy(const CliRequest& request, std::ostream& out, std::ostream& err) {
  const std::optional<std::string> path = FolderArgument(request.folders.front(), err);
  if (!path) return kExitTrouble;
  const scan::WhyOutcome outcome = scan::ExplainId(*path, request.objectKind, request.id);
  out << scan::WhyText(outcome, request.objectKind, request.id) << std::flush;
  return outcome.InOrder() ? kExitOk : kExitTrouble;
}

}  // namespace mapio::cli
