#include "checker/report.h"

#include "core/counted.h"
#include "core/object_kind.h"
#include "core/shown_text.h"
#include "platform/paths.h"

namespace mapio::checker {
std::string_view CategoryWord(Category category) {
  switch (category) {
    case Category::Missing: return "missing";
    case Category::Case: return "case";
    case Category::Translated: return "translated";
    case Category::Unmapped: return "unmapped";
    case Category::DuplicateName: return "duplicate-name";
    case Category::DuplicateId: return "duplicate-id";
    case Category::OtherKind: return "other-kind";
    case Category::UnknownTarget: return "unknown-target";
    case Category::Unparsable: return "unparsable";
    case Category::Unsafe: return "unsafe";
    case Category::Encoding: return "encoding";
    case Category::Leftover: return "leftover";
    case Category::Empty: return "empty";
    case Category::Mismatch: return "mismatch";
    case Category::Broken: return "broken";
    case Category::TooLarge: return "too-large";
    case Category::NotAFile: return "not-a-file";
    case Category::WindowsName: return "windows-name";
    case Category::DoubleExtension: return "double-extension";
    case Category::OddSize: return "odd-size";
    case Category::Structure: return "structure";
    case Category::Clash: return "clash";
    case Category::NameClash: return "name-clash";
  }
  return "structure";
}

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

std::string OtherKindDetail(ObjectKind recordKind, ObjectKind checkedKind) {
  return std::string("a record of ")
      .append(KindOf(recordKind).cliName)
      .append(", not of ")
      .append(KindOf(checkedKind).cliName);
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
