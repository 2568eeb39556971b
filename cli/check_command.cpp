#include "cli/check_command.h"

#include <ostream>
#include <sstream>

#include "checker/check_pack.h"
#include "checker/report.h"
#include "checker/report_json.h"
#include "cli/cli.h"
#include "cli/folder_argument.h"
#include "cli/terminal.h"

namespace mapio::cli {

using checker::PackReport;

int RunCheck(const CliRequest& request, std::ostream& out, std::ostream& err,
             bool stderrIsTerminal) {
  std::istringstream noInput;
  TerminalOptions terminalOptions;
  terminalOptions.progress = stderrIsTerminal && !request.quiet;
  Terminal progressLine(noInput, out, err, std::move(terminalOptions));

  checker::CheckOptions options;
  options.caseSensitive = request.caseSensitive;
  options.pictures = request.pictures;
  options.deep = request.deep;
  options.kindName = [](ObjectKind kind) { return std::string(ObjectKindName(kind)); };
  options.progress = [&](std::size_t done, std::size_t total) {
    progressLine.Progress({JobProgress::Phase::Checking, done, total});
  };

  bool anyFinding = false;
  checker::JsonReport reports;
  for (const std::string& folder : request.folders) {
    progressLine.JobStarted();
    // Text goes out finding by finding; JSON is one document in the end.
    PackReport shown;
    shown.folderPath = folder;  // as the user typed it, so that the lines read back
    std::string line;
    options.onFinding = nullptr;
    if (!request.json) {
      options.onFinding = [&](const checker::Finding& f) {
        progressLine.ClearProgress();
        line.clear();
        checker::AppendFindingLine(shown, f, line);
        out << line << '\n';
      };
    }
    const std::optional<ObjectKind> kind =
        request.kindGiven ? std::optional<ObjectKind>(request.objectKind) : std::nullopt;
    const std::optional<std::string> path = FolderArgument(folder, err);
    if (!path) {
      anyFinding = true;
      continue;
    }
    PackReport report = checker::CheckPack(*path, kind, options);
    report.folderPath = folder;
    progressLine.ClearProgress();
    anyFinding = anyFinding || report.findingCount != 0;
    if (request.json) {
      reports.Add(report);
      continue;
    }
    out << checker::SummaryLine(report) << '\n';
  }
  if (request.json) out << reports.Text() << '\n';
  out << std::flush;
  return anyFinding ? kExitTrouble : kExitOk;
}

}  // namespace mapio::cli
