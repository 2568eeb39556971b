#include "scan/scan_report.h"

#include <charconv>

#include "checker/report.h"
#include "core/counted.h"
#include "core/job_events.h"
#include "core/object_kind.h"
#include "core/shown_text.h"
#include "platform/paths.h"

namespace mapio::scan {

namespace {

void AppendNumber(std::string& out, std::uint32_t n) {
  char digits[10];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, n);
  (void)error;  // ten digits hold any line number
  out.append(digits, end);
}

void AppendMappingFile(std::string& out, std::string_view relative) {
  if (!relative.empty()) {
    AppendShown(out, relative);
    out += platform::kSeparator;
  }
  out += kMappingFileName;
}

// "update/config.xml:40"
void AppendPlace(std::string& out, const std::vector<ScannedPack>& packs,
                 const ClashRecord& record) {
  AppendMappingFile(out, packs[record.pack].relative);
  out += ':';
  AppendNumber(out, record.line);
}

std::string_view KindWord(const ClashRecord& record) {
  return record.kind ? KindOf(*record.kind).cliName : "a picture of the game";
}

// Before the `i`th of `count` items: "a, b and c".
std::string_view Between(std::size_t i, std::size_t count) {
  return i == 0 ? "" : i + 1 == count ? " and " : ", ";
}

}  // namespace

void AppendPackFindingLine(const ScannedPack& pack, const checker::Finding& finding,
                           std::string& out) {
  checker::AppendFindingLineBelow(pack.relative, finding, out);
}

std::string MappingFileOf(std::string_view relative) {
  return relative.empty()
             ? std::string(kMappingFileName)
             : std::string(relative) + platform::kSeparator + std::string(kMappingFileName);
}

void AppendClashDetail(const Clash& clash, const std::vector<ScannedPack>& packs,
                       std::string& out) {
  const std::size_t others = clash.records.size() - 1;
  if (clash.type == Clash::Type::Resource) {
    AppendShown(out, clash.key);
    out += " is also mapped by ";
    for (std::size_t i = 1; i <= others; ++i) {
      out += Between(i - 1, others);
      AppendPlace(out, packs, clash.records[i]);
    }
    out += ": the game shows only one of their pictures";
    return;
  }
  out += "the name ";
  AppendShown(out, clash.key);
  out.append(" is mapped as ").append(KindWord(clash.records.front())).append(" here and ");
  for (std::size_t i = 1; i <= others; ++i) {
    out.append(Between(i - 1, others)).append("as ").append(KindWord(clash.records[i]));
    out += " by ";
    AppendPlace(out, packs, clash.records[i]);
  }
  out += ": some game editions load only one of them; a prefix on one of the names avoids it";
}

checker::Finding ClashFinding(const Clash& clash, const std::vector<ScannedPack>& packs) {
  const bool resource = clash.type == Clash::Type::Resource;
  std::string detail;
  AppendClashDetail(clash, packs, detail);
  return {resource ? checker::Category::Clash : checker::Category::NameClash,
          clash.records.front().line, resource ? std::string() : clash.key, clash.id,
          std::move(detail)};
}

void AppendClashLine(const Clash& clash, const std::vector<ScannedPack>& packs, std::string& out) {
  AppendPlace(out, packs, clash.records.front());
  out.append(": ")
      .append(checker::CategoryWord(clash.type == Clash::Type::Resource
                                        ? checker::Category::Clash
                                        : checker::Category::NameClash))
      .append(": ");
  AppendClashDetail(clash, packs, out);
}

std::string UnreadableLine(std::string_view relative) {
  std::string line;
  AppendShown(line, relative.empty() ? "." : relative);
  return line.append(": ")
      .append(checker::CategoryWord(checker::Category::Structure))
      .append(": ")
      .append(kUnreadableText);
}

std::string ScanSummaryLine(std::string_view folder, const ScanOutcome& outcome) {
  std::string line;
  AppendShown(line, folder);
  line += std::string(": ").append(Counted(outcome.packs.size(), "pack")) + ", " +
          Counted(outcome.records, "record") + ", " + Counted(outcome.pictures, "picture") + ", " +
          Counted(outcome.findings, "finding") + ", " +
          Counted(outcome.clashCount, "clash", "clashes");
  if (outcome.links != 0)
    line +=
        std::string("; ").append(Counted(outcome.links, "link to a folder", "links to folders")) +
        " passed over";
  return line;
}

}  // namespace mapio::scan
