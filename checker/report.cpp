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
  if (finding.category == Category::Unmapped) {
    text = platform::JoinPath(report.folderPath, finding.name);
  } else {
    text = platform::JoinPath(report.folderPath, "config.xml");
    if (finding.line != 0) text.append(":").append(std::to_string(finding.line));
  }
  text.append(": ").append(CategoryWord(finding.category)).append(": ").append(finding.detail);
  return text;
}

std::string SummaryLine(const PackReport& report) {
  return report.folderPath + ": " + Count(report.records, "record", "records") + ", " +
         Count(report.pictures, "picture", "pictures") + ", " +
         Count(report.findings.size(), "finding", "findings");
}

}  // namespace mapio::checker
