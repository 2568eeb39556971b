#include "cli/check_command.h"

#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>

#include "checker/check_pack.h"
#include "checker/report.h"
#include "cli/cli.h"
#include "cli/terminal.h"
#include "platform/platform.h"

namespace mapio::cli {
namespace {

using checker::PackReport;

// Absent fields are null rather than empty, so that readers need not guess.
nlohmann::ordered_json OrNull(const std::string& text) {
  return text.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(text);
}

nlohmann::ordered_json ToJson(const PackReport& report) {
  nlohmann::ordered_json findings = nlohmann::ordered_json::array();
  for (const auto& f : report.findings) {
    findings.push_back({
        {"category", std::string(checker::CategoryWord(f.category))},
        {"line", f.line == 0 ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(f.line)},
        {"name", OrNull(f.name)},
        {"id", OrNull(f.id)},
        {"detail", f.detail},
        {"file", OrNull(f.file)},
        {"format", OrNull(std::string(f.format))},
        {"width", f.width == 0 ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(f.width)},
        {"height",
         f.height == 0 ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(f.height)},
    });
  }
  return {
      {"path", report.folderPath},
      {"kind", std::string(ObjectKindName(report.objectKind))},
      {"kindFound", report.kindFound},
      {"counts",
       {{"records", report.records},
        {"pictures", report.pictures},
        {"findings", report.findingCount}}},
      {"sizes", report.picturesLooked ? OrNull(report.sizes) : nlohmann::ordered_json(nullptr)},
      {"findings", std::move(findings)},
  };
}

}  // namespace

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
  options.kindName = [](std::int32_t kind) { return std::string(ObjectKindName(kind)); };
  options.progress = [&](std::size_t done, std::size_t total) {
    progressLine.Progress({JobProgress::Phase::Checking, done, total});
  };

  bool anyFinding = false;
  nlohmann::ordered_json reports = nlohmann::ordered_json::array();
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
    const std::optional<std::int32_t> kind =
        request.kindGiven ? std::optional<std::int32_t>(request.objectKind) : std::nullopt;
    PackReport report = checker::CheckPack(platform::AbsolutePath(folder), kind, options);
    report.folderPath = folder;
    progressLine.ClearProgress();
    anyFinding = anyFinding || report.findingCount != 0;
    if (request.json) {
      reports.push_back(ToJson(report));
      continue;
    }
    out << checker::SummaryLine(report) << '\n';
  }
  // Names are bytes of whatever code page the pack was made in.
  if (request.json)
    out << reports.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
  out << std::flush;
  return anyFinding ? kExitTrouble : kExitOk;
}

}  // namespace mapio::cli
