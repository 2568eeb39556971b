#include "checker/report.h"

#include "core/counted.h"
#include "core/object_kind.h"
#include "platform/platform.h"

namespace mapio::checker {

void AppendShown(std::string& out, std::string_view text) {
  constexpr char kHex[] = "0123456789abcdef";
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    const std::string_view named = c == '\n' ? "\\n" : c == '\r' ? "\\r" : c == '\t' ? "\\t" : "";
    if (c >= 0x20 && c != 0x7F)
      out += ch;
    else if (!named.empty())
      out += named;
    else
      out.append("\\x").append(1, kHex[c >> 4]).append(1, kHex[c & 15]);
  }
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
