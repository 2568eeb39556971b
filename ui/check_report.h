// The check's report window, without a toolkit: its findings (ReportModel),
// the buttons it offers, and what Enter, Copy, Save and the picture beside
// the table do. Each window draws one and forwards its events here.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <variant>
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

// A fresh check of every pack below the folder, the buttons each offers,
// and the kind "Find ID" looks for.
struct CheckedPacks {
  ScanReport scan;
  std::vector<ReportButtons> buttons;  // by pack, as the report numbers them
  ObjectKind kind = Faces;
};

using CheckedFolder = std::variant<CheckedPack, CheckedPacks>;

// "Find ID": why's answer for the ID typed, and the picture of its first
// record that has one.
struct IdAnswer {
  std::string text;
  std::optional<PictureFacts> picture;
};

inline constexpr std::string_view kCopyButton = "&Copy";
inline constexpr std::string_view kSaveReportButton = "&Save report...";
inline constexpr std::string_view kCloseReportButton = "Close";
inline constexpr std::string_view kFilterLabel = "S&how:";
inline constexpr std::string_view kFindingsLabel = "&Findings:";
inline constexpr std::string_view kSaveReportTitle = "Save report";
inline constexpr std::string_view kPackFilterLabel = "Pac&k:";
inline constexpr std::string_view kFindIdLabel = "Find &ID:";
inline constexpr std::string_view kFindIdButton = "Fi&nd";
inline constexpr std::string_view kReportNotSavedText =
    "The report could not be saved there: the file cannot be written (is the disk full, or the "
    "folder read-only?).";

class CheckReport {
 public:
  // Runs the mapping editor on the config.xml of `folder` (a pack's,
  // absolute) at a line (from 1) in the view; true when the user saved.
  using EditAtLine =
      std::function<bool(const std::string& folder, std::size_t line, EditorView& view)>;

  // `folder` is the one checked, absolute: a pack's, or the one the packs
  // are below.
  CheckReport(JobHost& host, std::string folder, CheckedFolder checked, const ReportView& view,
              EditAtLine edit, std::function<CheckedFolder()> checkAgain);

  ReportModel& Model() { return model_; }
  const ReportModel& Model() const { return model_; }
  // Of several packs, those of the pack whose buttons show (ChosenPack).
  const ReportButtons& Buttons() const { return buttons_; }
  std::string_view Caption() const;

  // The pack a button's job acts on: that of the current finding;
  // kNoPack when there is none.
  static constexpr std::size_t kNoPack = static_cast<std::size_t>(-1);
  std::size_t ChosenPack() const { return chosenPack_; }
  // The current row changed: the buttons become those of its pack. True
  // when they changed, for the view to show them anew.
  bool ShowButtonsOf(std::optional<std::size_t> row);
  // A pack's folder, absolute.
  std::string FolderOf(std::size_t pack) const;

  // Enter or a double click on `row`: the mapping editor with the finding's
  // line selected (nothing for a finding without a line). True when the
  // report was made afresh, after a save: the view then shows it anew,
  // its buttons too.
  bool Open(std::size_t row, EditorView& editor);

  // The picture beside the table for `row`; nullopt for none.
  std::optional<PictureFacts> PictureOf(std::size_t row) const;

  // "Find ID" (of several packs): what the game finds for the ID typed
  // ("2000123" or "r-2000123") below the folder, for the marked kind.
  IdAnswer FindId(std::string_view typed) const;

  // "Save report...": `rows` (every row shown when none) into `path`, as
  // JSON for a name ending in ".json", else as text; a box says when the
  // file could not be written. False then.
  bool Save(const std::string& path, std::vector<std::size_t> rows);

 private:
  void Take(CheckedFolder checked, const ReportView& view);

  JobHost& host_;
  std::string folder_;  // absolute: pictures are read from it
  ReportModel model_;
  ReportButtons buttons_;
  std::vector<ReportButtons> packButtons_;  // of several packs
  std::size_t chosenPack_ = 0;
  ObjectKind kind_ = Faces;
  EditAtLine edit_;
  std::function<CheckedFolder()> checkAgain_;
};

}  // namespace mapio::ui
