#include "ui/report_model.h"

#include <algorithm>
#include <functional>
#include <map>

#include "checker/report.h"
#include "checker/report_json.h"
#include "core/counted.h"
#include "core/shown_text.h"
#include "platform/text.h"
#include "ui/check_job.h"

namespace mapio::ui {

namespace {

using checker::Finding;

// A picture without a record is known by its file.
std::string_view ShownName(const Finding& f) { return f.name.empty() ? f.file : f.name; }

bool IsDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// IDs as numbers, whatever their length; anything else after them.
bool IdBefore(std::string_view a, std::string_view b) {
  const bool numberA = IsDigits(a);
  const bool numberB = IsDigits(b);
  if (numberA != numberB) return numberA;
  if (numberA && a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

// Findings without a line after those with one.
std::size_t LineKey(const Finding& f) { return f.line == 0 ? SIZE_MAX : f.line; }

}  // namespace

std::string_view ReportColumnTitle(ReportColumn column) {
  switch (column) {
    case ReportColumn::Category: return "Category";
    case ReportColumn::Line: return "Line";
    case ReportColumn::Name: return "Name";
    case ReportColumn::Id: return "ID";
    case ReportColumn::Pack: return "Pack";
    case ReportColumn::Detail: break;
  }
  return "Detail";
}

ReportFormat SavedFormatOf(std::string_view path) {
  constexpr std::string_view kJson = ".json";
  if (path.size() < kJson.size()) return ReportFormat::Text;
  std::string end(path.substr(path.size() - kJson.size()));
  std::transform(end.begin(), end.end(), end.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
  return end == kJson ? ReportFormat::Json : ReportFormat::Text;
}

ReportModel::ReportModel(checker::PackReport report, const ReportView& view)
    : report_(std::move(report)), view_(view) {
  view_.pack.reset();
  CountCategories();
  Arrange();
}

void ReportModel::CountCategories() {
  std::map<checker::Category, std::size_t> counts;
  for (const Finding& f : report_.findings) ++counts[f.category];
  for (const auto& [category, count] : counts) categories_.push_back({category, count});
  // A filter of a category the fresh report no longer has would show nothing.
  if (view_.only && !counts.contains(*view_.only)) view_.only.reset();
  if (view_.pack && *view_.pack >= Packs()) view_.pack.reset();
}

void ReportModel::Arrange() {
  rows_.clear();
  rows_.reserve(report_.findings.size());
  for (std::size_t i = 0; i < report_.findings.size(); ++i) {
    if ((!view_.only || report_.findings[i].category == *view_.only) &&
        (!view_.pack || packOf_[i] == *view_.pack))
      rows_.push_back(static_cast<std::uint32_t>(i));
  }
  if (!view_.sortedBy) {
    if (view_.descending) std::reverse(rows_.begin(), rows_.end());
    return;
  }
  const std::vector<Finding>& f = report_.findings;
  // Folded once per finding rather than once per comparison.
  std::vector<std::string> keys;
  std::function<bool(std::uint32_t, std::uint32_t)> before;
  switch (*view_.sortedBy) {
    case ReportColumn::Category:
      before = [&](std::uint32_t a, std::uint32_t b) {
        return checker::CategoryWord(f[a].category) < checker::CategoryWord(f[b].category);
      };
      break;
    case ReportColumn::Line:
      before = [&](std::uint32_t a, std::uint32_t b) { return LineKey(f[a]) < LineKey(f[b]); };
      break;
    case ReportColumn::Name:
      keys.resize(f.size());
      for (const std::uint32_t i : rows_) keys[i] = platform::CaseFoldKey(ShownName(f[i]));
      before = [&](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; };
      break;
    case ReportColumn::Id:
      before = [&](std::uint32_t a, std::uint32_t b) { return IdBefore(f[a].id, f[b].id); };
      break;
    case ReportColumn::Detail:
      before = [&](std::uint32_t a, std::uint32_t b) { return f[a].detail < f[b].detail; };
      break;
    case ReportColumn::Pack:  // in the walk's order
      before = [&](std::uint32_t a, std::uint32_t b) {
        return packOf_.empty() ? false : packOf_[a] < packOf_[b];
      };
      break;
  }
  if (view_.descending)
    std::stable_sort(rows_.begin(), rows_.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return before(b, a); });
  else
    std::stable_sort(rows_.begin(), rows_.end(), before);
}

std::string ReportModel::Cell(std::size_t row, ReportColumn column) const {
  const Finding& f = At(row);
  switch (column) {
    case ReportColumn::Category: return std::string(checker::CategoryWord(f.category));
    case ReportColumn::Line: return f.line == 0 ? std::string() : std::to_string(f.line);
    case ReportColumn::Name: return Shown(ShownName(f));
    case ReportColumn::Id: return Shown(f.id);
    case ReportColumn::Pack: return Shown(PackName(PackOf(row)));
    case ReportColumn::Detail: break;
  }
  return Shown(f.detail);
}

std::optional<std::size_t> ReportModel::RowOf(std::size_t finding) const {
  const auto it = std::find(rows_.begin(), rows_.end(), finding);
  if (it == rows_.end()) return std::nullopt;
  return static_cast<std::size_t>(it - rows_.begin());
}

std::string ReportModel::FilterLabel(std::optional<checker::Category> category) const {
  std::size_t count = report_.findings.size();
  if (category) {
    const auto it = std::find_if(categories_.begin(), categories_.end(),
                                 [&](const CategoryCount& c) { return c.category == *category; });
    count = it == categories_.end() ? 0 : it->count;
  }
  return std::string(category ? checker::CategoryWord(*category) : "all") + " (" +
         std::to_string(count) + ")";
}

void ReportModel::ShowOnly(std::optional<checker::Category> category) {
  view_.only = category;
  Arrange();
}

void ReportModel::SortBy(std::optional<ReportColumn> column, bool descending) {
  view_.sortedBy = column;
  view_.descending = descending;
  Arrange();
}

std::string ReportModel::Summary() const {
  if (Scanned()) {
    std::string text = scanSummary_;
    if (report_.findingCount == 0) text.append("\n").append(kNothingWrongInPacksText);
    const checker::PackReport* chosen = view_.pack ? PackReport(*view_.pack) : nullptr;
    if (chosen) text.append("\n").append(checker::SummaryLine(*chosen));
    return text;
  }
  std::string text = checker::SummaryLine(report_);
  if (report_.findingCount == 0) text.append("\n").append(kNothingWrongText);
  const std::string style = IdStyle();
  if (!style.empty()) text += "\n" + style;
  return text;
}

std::string ReportModel::IdStyle() const {
  const std::size_t plain = report_.plainIds;
  const std::size_t generated = report_.generatedIds;
  if (plain == 0 && generated == 0) return {};
  if (generated == 0) return "ID style: plain (" + Counted(plain, "record") + ")";
  if (plain == 0) return "ID style: r- (" + Counted(generated, "record") + ")";
  return "ID style: mixed (" + std::to_string(plain) + " plain, " + std::to_string(generated) +
         " r-)";
}

std::vector<std::size_t> ReportModel::ChosenRows(std::vector<std::size_t> rows) const {
  if (rows.empty()) {
    rows.resize(rows_.size());
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = i;
    return rows;
  }
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

std::string ReportModel::Lines(std::vector<std::size_t> rows) const {
  std::string text;
  for (const std::size_t row : ChosenRows(std::move(rows))) {
    if (Scanned())
      checker::AppendFindingLineBelow(PackPath(PackOf(row)), At(row), text);
    else
      checker::AppendFindingLine(report_, At(row), text);
    text += '\n';
  }
  return text;
}

std::string ReportModel::Saved(std::vector<std::size_t> rows, ReportFormat format) const {
  rows = ChosenRows(std::move(rows));
  if (format == ReportFormat::Text)
    return Lines(rows) + (Scanned() ? scanSummary_ : checker::SummaryLine(report_)) + "\n";
  if (Scanned()) return SavedPacks(rows);
  std::vector<const Finding*> findings;
  findings.reserve(rows.size());
  for (const std::size_t row : rows) findings.push_back(&At(row));
  checker::JsonReport json;
  json.Add(report_, findings);
  return json.Text() + "\n";
}

}  // namespace mapio::ui
