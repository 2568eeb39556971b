// The report over several packs: their findings as one report, each with
// its pack.
#include <algorithm>

#include "checker/report_json.h"
#include "core/counted.h"
#include "scan/scan_report.h"
#include "ui/report_model.h"

namespace mapio::ui {

namespace {

constexpr ReportColumn kPackColumns[] = {ReportColumn::Category, ReportColumn::Line,
                                         ReportColumn::Name, ReportColumn::Id,
                                         ReportColumn::Detail};
constexpr ReportColumn kScanColumns[] = {ReportColumn::Pack, ReportColumn::Category,
                                         ReportColumn::Line, ReportColumn::Name,
                                         ReportColumn::Id,   ReportColumn::Detail};

}  // namespace

ReportModel::ReportModel(ScanReport scan, const ReportView& view) : view_(view) {
  scan::ScanOutcome& outcome = scan.outcome;
  report_.folderPath = scan.folderPath;
  report_.records = outcome.records;
  report_.pictures = outcome.pictures;
  report_.findingCount = outcome.findings + outcome.clashCount;
  scanSummary_ = scan::ScanSummaryLine(scan.folderPath, outcome);
  std::size_t total = outcome.clashes.size() + outcome.unreadable.size();
  for (const scan::ScannedPack& pack : outcome.packs) total += pack.report.findings.size();
  report_.findings.reserve(total);
  packOf_.reserve(total);
  const auto add = [&](checker::Finding finding, std::size_t pack) {
    report_.findings.push_back(std::move(finding));
    packOf_.push_back(static_cast<std::uint32_t>(pack));
  };
  for (std::size_t p = 0; p < outcome.packs.size(); ++p) {
    checker::PackReport& report = outcome.packs[p].report;
    for (checker::Finding& f : report.findings) add(std::move(f), p);
    report.findings = {};
    packs_.push_back({outcome.packs[p].relative, std::move(report)});
  }
  for (const scan::Clash& clash : outcome.clashes)
    add(scan::ClashFinding(clash, outcome.packs), clash.records.front().pack);
  // A folder that could not be read stands as a pack of its own.
  for (std::string& folder : outcome.unreadable) {
    add({checker::Category::Structure, 0, {}, {}, std::string(scan::kUnreadableText), {}},
        packs_.size());
    packs_.push_back({std::move(folder), std::nullopt});
  }
  CountCategories();
  Arrange();
}

std::span<const ReportColumn> ReportModel::Columns() const {
  if (Scanned()) return kScanColumns;
  return kPackColumns;
}

const std::string& ReportModel::PackPath(std::size_t pack) const {
  static const std::string kOwn;
  return Scanned() ? packs_[pack].path : kOwn;
}

std::string ReportModel::PackName(std::size_t pack) const {
  const std::string& path = PackPath(pack);
  return path.empty() ? "." : path;
}

const checker::PackReport* ReportModel::PackReport(std::size_t pack) const {
  if (!Scanned()) return &report_;
  return packs_[pack].report ? &*packs_[pack].report : nullptr;
}

std::size_t ReportModel::PackOf(std::size_t row) const {
  return Scanned() ? packOf_[rows_[row]] : 0;
}

std::string ReportModel::PackFilterLabel(std::optional<std::size_t> pack) const {
  if (!pack)
    return std::string("all packs (").append(std::to_string(report_.findings.size())) + ")";
  const std::size_t count = static_cast<std::size_t>(
      std::count(packOf_.begin(), packOf_.end(), static_cast<std::uint32_t>(*pack)));
  return PackName(*pack) + " (" + std::to_string(count) + ")";
}

void ReportModel::ShowPack(std::optional<std::size_t> pack) {
  view_.pack = pack;
  Arrange();
}

// Each pack with findings among `rows` as check's JSON gives it; a clash
// among its findings.
std::string ReportModel::SavedPacks(const std::vector<std::size_t>& rows) const {
  std::vector<std::vector<const checker::Finding*>> byPack(packs_.size());
  for (const std::size_t row : rows) byPack[PackOf(row)].push_back(&At(row));
  checker::JsonReport json;
  for (std::size_t p = 0; p < packs_.size(); ++p)
    if (packs_[p].report && !byPack[p].empty()) json.Add(*packs_[p].report, byPack[p]);
  return json.Text() + "\n";
}

}  // namespace mapio::ui
