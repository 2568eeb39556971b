#include "ui/check_job.h"

#include "checker/check_pack.h"
#include "checker/report.h"

namespace mapio::ui {

CheckOutcome CheckFolder(const std::string& folder, const std::string& shownPath,
                         std::int32_t objectKind,
                         const std::function<void(const JobProgress&)>& progress) {
  checker::CheckOptions options;
  options.progress = [&](std::size_t done, std::size_t total) {
    progress({JobProgress::Phase::Checking, done, total});
  };
  checker::PackReport report = checker::CheckPack(folder, objectKind, options);
  report.folderPath = shownPath;
  CheckOutcome outcome;
  outcome.clean = report.findings.empty();
  outcome.text = checker::SummaryLine(report);
  if (outcome.clean) {
    outcome.text += "\n\nNothing is wrong with this pack.";
    return outcome;
  }
  outcome.text += "\n";
  for (const auto& finding : report.findings)
    outcome.text.append("\n").append(checker::FindingLine(report, finding));
  return outcome;
}

}  // namespace mapio::ui
