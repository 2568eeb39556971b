#include "checker/report.h"

#include "core/counted.h"
#include "core/object_kind.h"
#include "core/shown_text.h"
#include "platform/platform.h"

namespace mapio::checker {

std::string FindingLine(const PackReport& report, const Finding& finding) {
  std::string text;
  AppendFindingLine(report, finding, text);
  return text;
}

void AppendFindingLine(const PackReport& report, const Finding& finding, std::string& out) {
  // As JoinPath joins them.
  AppendShown(out, report.folderPath);
  out.push_back(platform::kSeparator);
  AppendFindingLineBelow({}, finding, out);
}

void AppendFindingLineBelow(std::string_view folder, const Finding& finding, std::string& out) {
  if (!folder.empty()) {
    AppendShown(out, folder);
    out.push_back(platform::kSeparator);
  }
  if (finding.line == 0 && !finding.file.empty()) {
    AppendShown(out, finding.file);
  } else {
    out.append("config.xml");
    if (finding.line != 0) out.append(":").append(std::to_string(finding.line));
  }
  out.append(": ").append(CategoryWord(finding.category)).append(": ");
  AppendShown(out, finding.detail);
}

std::string SummaryLine(const PackReport& report) {
  std::string line;
  AppendShown(line, report.folderPath);
  line += ": " + Counted(report.records, "record") + ", " + Counted(report.pictures, "picture") +
          ", " + Counted(report.findingCount, "finding");
  if (report.picturesLooked && !report.sizes.empty()) line.append("; ").append(report.sizes);
  if (report.kindFound)
    line.append(" (checked as ").append(KindOf(report.objectKind).cliName).append(")");
  return line;
}

}  // namespace mapio::checker
