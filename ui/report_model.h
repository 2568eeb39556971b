// The check's report as the windows' tables show it: which findings, in
// which order, each cell's text, and what Copy and Save give. Both windows
// draw from it, so that filtering, sorting and the texts are written once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "checker/check_pack.h"
#include "scan/scan_folder.h"

namespace mapio::ui {

// A report of several packs has a Pack column too, first.
enum class ReportColumn { Category, Line, Name, Id, Detail, Pack };
inline constexpr int kReportColumns = 5;  // a pack's own
inline constexpr int kAllReportColumns = 6;

// "Category", "Line", "Name", "ID", "Detail", "Pack".
std::string_view ReportColumnTitle(ReportColumn column);

// What the user chose to see; a fresh check of the same pack keeps it.
struct ReportView {
  std::optional<checker::Category> only;  // nullopt: every category
  std::optional<ReportColumn> sortedBy;   // nullopt: the report's own order
  bool descending = false;
  std::optional<std::size_t> pack;  // of several: nullopt for every one
};

// The report over every pack below a folder: each pack's findings, the
// clashes between them, the folders that could not be read.
struct ScanReport {
  std::string folderPath;  // as the path box gives it
  scan::ScanOutcome outcome;
};

struct CategoryCount {
  checker::Category category;
  std::size_t count;
};

enum class ReportFormat { Text, Json };

// ".json" in any letter case saves JSON; any other name, text.
ReportFormat SavedFormatOf(std::string_view path);

class ReportModel {
 public:
  ReportModel() = default;
  explicit ReportModel(checker::PackReport report, const ReportView& view = {});
  // Several packs: every finding of each, and the clashes (in the pack
  // their line stands in), as one report.
  explicit ReportModel(ScanReport scan, const ReportView& view = {});

  // Of one pack: the pack's report. Of several, the findings of all with
  // their totals, named after the folder.
  const checker::PackReport& Report() const { return report_; }
  const ReportView& View() const { return view_; }

  // The columns, in the order they stand.
  std::span<const ReportColumn> Columns() const;

  // Several packs: in the walk's order, then the folders that could not
  // be read. One pack is pack 0.
  bool Scanned() const { return !packs_.empty(); }
  std::size_t Packs() const { return Scanned() ? packs_.size() : 1; }
  // Below the folder; "" for the folder itself.
  const std::string& PackPath(std::size_t pack) const;
  // Its name in the table and the filter: its path, "." for the folder.
  std::string PackName(std::size_t pack) const;
  // Null for a folder that could not be read.
  const checker::PackReport* PackReport(std::size_t pack) const;
  std::size_t PackOf(std::size_t row) const;
  // The pack filter's entries: "all packs (12)", "faces (3)".
  std::string PackFilterLabel(std::optional<std::size_t> pack) const;
  void ShowPack(std::optional<std::size_t> pack);

  // The rows shown: the findings of the chosen category, in the chosen order.
  std::size_t Rows() const { return rows_.size(); }
  const checker::Finding& At(std::size_t row) const { return report_.findings[rows_[row]]; }
  // One line, control characters escaped; a name relative to the pack's
  // folder (a picture without a record by its file), no line as "".
  std::string Cell(std::size_t row, ReportColumn column) const;
  // A finding's place in the report, and the row that shows it (nullopt
  // when the filter hides it), so that a view can keep its current finding.
  std::size_t FindingOf(std::size_t row) const { return rows_[row]; }
  std::optional<std::size_t> RowOf(std::size_t finding) const;

  // The categories that have findings, in the categories' order.
  const std::vector<CategoryCount>& Categories() const { return categories_; }
  // A filter's label: "missing (3)", or for every category "all (12)".
  std::string FilterLabel(std::optional<checker::Category> category) const;
  void ShowOnly(std::optional<checker::Category> category);
  // Stable: findings that sort the same stay in the report's order.
  void SortBy(std::optional<ReportColumn> column, bool descending = false);

  // The command line's summary line (which names the folder), "Nothing is
  // wrong with this pack." when nothing is, and the ID style when the pack
  // has IDs, each on a line of its own. Of several packs, the scan's
  // summary line, and the chosen pack's when one is.
  std::string Summary() const;
  // "ID style: plain (12 records)", "ID style: mixed (10 plain, 2 r-)";
  // empty when no record of the kind has an ID.
  std::string IdStyle() const;

  // Copy: the command line's line of each of `rows` (every row shown when
  // there are none), in the table's order, each ending in "\n".
  std::string Lines(std::vector<std::size_t> rows) const;
  // Save: the same findings in the command line's format, the text lines
  // and the summary line, or the JSON document (with the pack's counts).
  std::string Saved(std::vector<std::size_t> rows, ReportFormat format) const;

 private:
  struct Pack {
    std::string path;
    std::optional<checker::PackReport> report;  // its findings in report_
  };
  void Arrange();
  void CountCategories();
  std::vector<std::size_t> ChosenRows(std::vector<std::size_t> rows) const;
  std::string SavedPacks(const std::vector<std::size_t>& rows) const;

  checker::PackReport report_;
  ReportView view_;
  std::vector<std::uint32_t> rows_;  // indices into report_.findings
  std::vector<CategoryCount> categories_;
  // Several packs: each finding's pack, the packs, the scan's summary.
  std::vector<Pack> packs_;
  std::vector<std::uint32_t> packOf_;
  std::string scanSummary_;
};

}  // namespace mapio::ui
