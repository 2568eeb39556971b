#include "scan/scan_json.h"

#include <nlohmann/json.hpp>

#include "checker/report_json.h"
#include "core/object_kind.h"
#include "scan/scan_report.h"

namespace mapio::scan {

namespace {

using Json = nlohmann::ordered_json;

Json ClashJson(const Clash& clash, const std::vector<ScannedPack>& packs) {
  const checker::Finding finding = ClashFinding(clash, packs);
  Json records = Json::array();
  for (const ClashRecord& r : clash.records)
    records.push_back({{"file", MappingFileOf(packs[r.pack].relative)},
                       {"line", r.line},
                       {"kind", r.kind ? Json(KindOf(*r.kind).cliName) : Json(nullptr)},
                       {"target", r.target}});
  const bool resource = clash.type == Clash::Type::Resource;
  return {{"category", std::string(checker::CategoryWord(finding.category))},
          {resource ? "resource" : "name", clash.key},
          {"id", clash.id.empty() ? Json(nullptr) : Json(clash.id)},
          {"detail", finding.detail},
          {"records", std::move(records)}};
}

}  // namespace

struct ScanJson::Folders {
  Json array = Json::array();
};

ScanJson::ScanJson() : folders_(std::make_unique<Folders>()) {}
ScanJson::~ScanJson() = default;

void ScanJson::Add(std::string_view folder, const ScanOutcome& outcome) {
  // The packs in check's own shape, made by check's own code.
  checker::JsonReport packs;
  for (const ScannedPack& pack : outcome.packs) packs.Add(pack.report);
  Json clashes = Json::array();
  for (const Clash& clash : outcome.clashes) clashes.push_back(ClashJson(clash, outcome.packs));
  folders_->array.push_back({
      {"path", folder},
      {"counts",
       {{"packs", outcome.packs.size()},
        {"records", outcome.records},
        {"pictures", outcome.pictures},
        {"findings", outcome.findings},
        {"clashes", outcome.clashCount},
        {"linksPassedOver", outcome.links}}},
      {"unreadable", outcome.unreadable},
      {"packs", Json::parse(packs.Text())},
      {"clashes", std::move(clashes)},
  });
}

std::string ScanJson::Text() const {
  return folders_->array.dump(2, ' ', false, Json::error_handler_t::replace);
}

}  // namespace mapio::scan
