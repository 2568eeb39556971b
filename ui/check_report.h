// The check's report window, without a toolkit: its findings (ReportModel),
// the buttons it offers, and what Enter, Copy, Save and the picture beside
// the table do. Each window draws one and forwards its events here.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/job_host.h"
#include "ui/mapping_editor.h"
#include "ui/picture_facts.h"
#include "ui/report_model.h"

namespace mapio::ui {

// The report's buttons below the table; an empty text: no such button.
struct ReportButtons {
  std::string addNew;
  std::string removeMissing;
  std::string useGeneratedIds;
  std::string usePlainIds;
  std::string undoTranslate;
  bool operator==(const ReportButtons&) const = default;
};
// The button that closed the report; Close for Esc and the close box.
enum class ReportChoice {
  Close,
  AddNew,
  RemoveMissing,
  UseGeneratedIds,
  UsePlainIds,
  UndoTranslate
};

// The report's buttons in the order they stand, each with the choice it
// makes; an empty text for one not offered.
struct ReportOffer {
  ReportChoice choice;
  std::string_view text;
};
std::array<ReportOffer, 5> Offers(const ReportButtons& buttons);
// The control of each choice's button; Close's for Close.
int OfferControlId(ReportChoice choice);

// A fresh check of the pack and the buttons it offers.
struct CheckedPack {
  checker::PackReport report;
  ReportButtons buttons;
};

inline constexpr std::string_view kCopyButton = "&Copy";
inline constexpr std::string_view kSaveReportButton = "&Save report...";
inline constexpr std::string_view kCloseReportButton = "Close";
inline constexpr std::string_view kFilterLabel = "S&how:";
inline constexpr std::string_view kFindingsLabel = "&Findings:";
inline constexpr std::string_view kSaveReportTitle = "Save report";
inline constexpr std::string_view kReportNotSavedText =
    "The report could not be saved there: the file cannot be written (is the disk full, or the "
    "folder read-only?).";

class CheckReport {
 public:
  // Runs the mapping editor at a line (from 1) of config.xml in the view;
  // true when the user saved.
  using EditAtLine = std::function<bool(std::size_t line, EditorView& view)>;

  CheckReport(JobHost& host, std::string folder, CheckedPack checked, const ReportView& view,
              EditAtLine edit, std::function<CheckedPack()> checkAgain);

  ReportModel& Model() { return model_; }
  const ReportModel& Model() const { return model_; }
  const ReportButtons& Buttons() const { return buttons_; }
  std::string_view Caption() const;

  // Enter or a double click on `row`: the mapping editor with the finding's
  // line selected (nothing for a finding without a line). True when the
  // report was made afresh, after a save: the view then shows it anew,
  // its buttons too.
  bool Open(std::size_t row, EditorView& editor);

  // The picture beside the table for `row`; nullopt for none.
  std::optional<PictureFacts> PictureOf(std::size_t row) const;

  // "Save report...": `rows` (every row shown when none) into `path`, as
  // JSON for a name ending in ".json", else as text; a box says when the
  // file could not be written. False then.
  bool Save(const std::string& path, std::vector<std::size_t> rows);

 private:
  JobHost& host_;
  std::string folder_;  // absolute: pictures are read from it
  ReportModel model_;
  ReportButtons buttons_;
  EditAtLine edit_;
  std::function<CheckedPack()> checkAgain_;
};

}  // namespace mapio::ui
