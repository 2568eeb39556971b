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

namespace {

// Text goes out finding by finding; JSON is one document in the end.
class CheckLines final : public checker::CheckEvents {
 public:
  CheckLines(Terminal& progressLine, std::ostream& out, bool json)
      : progressLine_(progressLine), out_(out), json_(json) {}

  void Progress(const JobProgress& progress) override { progressLine_.Progress(progress); }
  bool Found(const checker::Finding& f) override {
    if (json_) return false;
    progressLine_.ClearProgress();
    line_.clear();
    checker::AppendFindingLine(shown, f, line_);
    out_ << line_ << '\n';
    return true;
  }

  PackReport shown;  // named as the user typed it, so that the lines read back

 private:
  Terminal& progressLine_;
  std::ostream& out_;
  bool json_;
  std::string line_;
};

}  // namespace

checker::CheckOptions CheckOptionsOf(const CliRequest& request) {
  checker::CheckOptions options;
  options.caseSensitive = request.caseSensitive;
  options.pictures = request.pictures;
  options.deep = request.deep;
  return options;
}

int RunCheck(const CliRequest& request, std::ostream& out, std::ostream& err,
             bool stderrIsTerminal) {
  std::istringstream noInput;
  TerminalOptions terminalOptions;
  terminalOptions.progress = stderrIsTerminal && !request.quiet;
  Terminal progressLine(noInput, out, err, std::move(terminalOptions));

  const checker::CheckOptions options = CheckOptionsOf(request);
  CheckLines events(progressLine, out, request.json);

  bool anyFinding = false;
  checker::JsonReport reports;
  for (const std::string& folder : request.folders) {
    progressLine.JobStarted();
    events.shown.folderPath = folder;
    const std::optional<ObjectKind> kind =
        request.kindGiven ? std::optional<ObjectKind>(request.objectKind) : std::nullopt;
    const std::optional<std::string> path = FolderArgument(folder, err);
    if (!path) {
      anyFinding = true;
      continue;
    }
    PackReport report = checker::CheckPack(*path, kind, options, events);
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
