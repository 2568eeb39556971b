#include "checker/report.h"

#include "platform/platform.h"

namespace mapio::checker {

namespace {

std::string Count(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::string FindingLine(const PackReport& report, const Finding& finding) {
  std::string text;
  AppendFindingLine(report, finding, text);
  return text;
}

void AppendFindingLine(const PackReport& report, const Finding& finding, std::string& out) {
  // As JoinPath joins them.
  out.append(report.folderPath).push_back(platform::kSeparator);
  if (finding.category == Category::Unmapped) {
    out.append(finding.name);
  } else {
    out.append("config.xml");
    if (finding.line != 0) out.append(":").append(std::to_string(finding.line));
  }
  out.append(": ").append(CategoryWord(finding.category)).append(": ").append(finding.detail);
}

std::string SummaryLine(const PackReport& report) {
  return report.folderPath + ": " + Count(report.records, "record", "records") + ", " +
         Count(report.pictures, "picture", "pictures") + ", " +
         Count(report.findingCount, "finding", "findings");
}

}  // namespace mapio::checker
