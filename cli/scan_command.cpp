#include "cli/scan_command.h"

#include <ostream>
#include <sstream>

#include "checker/report.h"
#include "cli/check_command.h"
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
class ScanLines final : public scan::ScanEvents {
 public:
  ScanLines(Terminal& progressLine, std::ostream& out, bool json)
      : progressLine_(progressLine), out_(out), json_(json) {}

  void Progress(const JobProgress& progress) override { progressLine_.Progress(progress); }
  void PackStarted(const scan::ScannedPack& /*pack*/) override { progressLine_.JobStarted(); }
  bool Found(const scan::ScannedPack& pack, const checker::Finding& f) override {
    if (json_) return false;
    line_.clear();
    scan::AppendPackFindingLine(pack, f, line_);
    return Say(line_);
  }
  void PackChecked(const scan::ScannedPack& pack) override {
    if (!json_) Say(checker::SummaryLine(pack.report));
  }
  bool Unreadable(const std::string& relative) override {
    return !json_ && Say(scan::UnreadableLine(relative));
  }
  bool Clashed(const scan::Clash& clash, const std::vector<scan::ScannedPack>& packs) override {
    if (json_) return false;
    line_.clear();
    scan::AppendClashLine(clash, packs, line_);
    return Say(line_);
  }

 private:
  bool Say(const std::string& text) {
    progressLine_.ClearProgress();
    out_ << text << '\n';
    return true;
  }

  Terminal& progressLine_;
  std::ostream& out_;
  bool json_;
  std::string line_;
};

}  // namespace

int RunScan(const CliRequest& request, std::ostream& out, std::ostream& err,
            bool stderrIsTerminal) {
  std::istringstream noInput;
  TerminalOptions terminalOptions;
  terminalOptions.progress = stderrIsTerminal && !request.quiet;
  Terminal progressLine(noInput, out, err, std::move(terminalOptions));

  scan::ScanOptions options;
  options.check = CheckOptionsOf(request);
  ScanLines events(progressLine, out, request.json);

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
