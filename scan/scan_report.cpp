#include "scan/scan_report.h"

#include "checker/report.h"
#include "core/counted.h"
#include "core/job_questions.h"
#include "core/object_kind.h"

namespace mapio::scan {

namespace {

// "update/config.xml:40"
std::string Place(const std::vector<ScannedPack>& packs, const ClashRecord& record) {
  std::string place;
  checker::AppendShown(place, MappingFileOf(packs[record.pack].relative));
  return place + ":" + std::to_string(record.line);
}

std::string KindWord(const ClashRecord& record) {
  return record.kind ? std::string(KindOf(*record.kind).cliName) : "a picture of the game";
}

// "a, b and c"
std::string Listed(const std::vector<std::string>& items) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i)
    text.append(i == 0 ? "" : i + 1 == items.size() ? " and " : ", ").append(items[i]);
  return text;
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

checker::Finding ClashFinding(const Clash& clash, const std::vector<ScannedPack>& packs) {
  const ClashRecord& at = clash.records.front();
  std::vector<std::string> others;
  if (clash.type == Clash::Type::Resource) {
    for (std::size_t i = 1; i < clash.records.size(); ++i)
      others.push_back(Place(packs, clash.records[i]));
    return {checker::Category::Clash,
            at.line,
            {},
            clash.id,
            clash.key + " is also mapped by " + Listed(others) +
                ": the game shows only one of their pictures"};
  }
  for (std::size_t i = 1; i < clash.records.size(); ++i)
    others.push_back(std::string("as ").append(KindWord(clash.records[i])) + " by " +
                     Place(packs, clash.records[i]));
  std::string name;
  checker::AppendShown(name, clash.key);
  return {checker::Category::NameClash,
          at.line,
          clash.key,
          {},
          "the name " + name + " is mapped as " + KindWord(at) + " here and " + Listed(others) +
              ": some game editions load only one of them; a prefix on one of the names "
              "avoids it"};
}

std::string UnreadableLine(std::string_view relative) {
  std::string line;
  checker::AppendShown(line, relative.empty() ? "." : relative);
  return line.append(": ")
      .append(checker::CategoryWord(checker::Category::Structure))
      .append(": ")
      .append(kUnreadableText);
}

std::string ScanSummaryLine(std::string_view folder, const ScanOutcome& outcome) {
  std::string line;
  checker::AppendShown(line, folder);
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
