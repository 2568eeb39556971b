#include "ui/check_job.h"

#include "checker/check_pack.h"
#include "checker/report.h"

namespace mapio::ui {

std::string AddNewButtonText(std::size_t count) {
  return "&Add " + std::to_string(count) + " new pictures";
}

std::string RemoveMissingButtonText(std::size_t count) {
  return "&Remove " + std::to_string(count) + " missing records";
}

std::string AddNewQuestion(std::size_t count) {
  return "Add records for the " + std::to_string(count) +
         " new pictures at the end of the list in config.xml? Nothing else in the file changes.";
}

std::string RemoveMissingQuestion(std::size_t count) {
  return "Remove the " + std::to_string(count) +
         " records whose picture is missing from config.xml? Nothing else in the file changes.";
}

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
  outcome.clean = report.findingCount == 0;
  outcome.missingRecords = report.missingRecords;
  outcome.newPictures = report.newPictures;
  outcome.text = checker::SummaryLine(report);
  if (outcome.clean) {
    outcome.text += "\n\nNothing is wrong with this pack.";
    return outcome;
  }
  outcome.text += "\n";
  for (const auto& finding : report.findings)
    checker::AppendFindingLine(report, finding, outcome.text.append("\n"));
  return outcome;
}

}  // namespace mapio::ui
