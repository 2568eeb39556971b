#include "ui/check_report.h"

#include <algorithm>

#include "platform/platform.h"
#include "scan/why.h"
#include "scan/why_report.h"
#include "res/control_ids.h"
#include "ui/check_job.h"

namespace mapio::ui {

int OfferControlId(ReportChoice choice) {
  switch (choice) {
    case ReportChoice::AddNew: return res::kAddNewButton;
    case ReportChoice::RemoveMissing: return res::kRemoveMissingButton;
    case ReportChoice::UseGeneratedIds: return res::kUseGeneratedIdsButton;
    case ReportChoice::UsePlainIds: return res::kUsePlainIdsButton;
    case ReportChoice::UndoTranslate: return res::kUndoTranslateButton;
    case ReportChoice::Close: break;
  }
  return res::kReportCloseButton;
}

std::array<ReportOffer, 5> Offers(const ReportButtons& b) {
  return {{{ReportChoice::AddNew, b.addNew},
           {ReportChoice::RemoveMissing, b.removeMissing},
           {ReportChoice::UseGeneratedIds, b.useGeneratedIds},
           {ReportChoice::UsePlainIds, b.usePlainIds},
           {ReportChoice::UndoTranslate, b.undoTranslate}}};
}

CheckReport::CheckReport(JobHost& host, std::string folder, CheckedFolder checked,
                         const ReportView& view, EditAtLine edit,
                         std::function<CheckedFolder()> checkAgain)
    : host_(host),
      folder_(std::move(folder)),
      edit_(std::move(edit)),
      checkAgain_(std::move(checkAgain)) {
  Take(std::move(checked), view);
}

void CheckReport::Take(CheckedFolder checked, const ReportView& view) {
  if (CheckedPack* one = std::get_if<CheckedPack>(&checked)) {
    model_ = ReportModel(std::move(one->report), view);
    buttons_ = std::move(one->buttons);
    packButtons_.clear();
    chosenPack_ = 0;
    return;
  }
  CheckedPacks& packs = std::get<CheckedPacks>(checked);
  model_ = ReportModel(std::move(packs.scan), view);
  packButtons_ = std::move(packs.buttons);
  packButtons_.resize(model_.Packs());  // a folder that could not be read offers none
  kind_ = packs.kind;
  buttons_ = {};
  chosenPack_ = kNoPack;
  ShowButtonsOf(model_.Rows() > 0 ? std::optional<std::size_t>(0) : std::nullopt);
}

std::string_view CheckReport::Caption() const { return kCheckCaption; }

bool CheckReport::ShowButtonsOf(std::optional<std::size_t> row) {
  if (!model_.Scanned()) return false;
  const std::size_t pack = row && *row < model_.Rows() ? model_.PackOf(*row) : kNoPack;
  if (pack == chosenPack_) return false;
  chosenPack_ = pack;
  ReportButtons next = pack != kNoPack ? packButtons_[pack] : ReportButtons{};
  if (next == buttons_) return false;
  buttons_ = std::move(next);
  return true;
}

std::string CheckReport::FolderOf(std::size_t pack) const {
  const std::string& below = model_.PackPath(pack);
  return below.empty() ? folder_ : platform::JoinPath(folder_, below);
}

bool CheckReport::Open(std::size_t row, EditorView& editor) {
  if (row >= model_.Rows() || model_.At(row).line == 0 || !edit_) return false;
  if (!edit_(FolderOf(model_.PackOf(row)), model_.At(row).line, editor) || !checkAgain_)
    return false;
  Take(checkAgain_(), model_.View());
  return true;
}

std::optional<PictureFacts> CheckReport::PictureOf(std::size_t row) const {
  if (row >= model_.Rows()) return std::nullopt;
  return LookAtPicture(FolderOf(model_.PackOf(row)), model_.At(row));
}

IdAnswer CheckReport::FindId(std::string_view typed) const {
  const std::string text(platform::Trim(typed));
  const std::optional<std::string> id = scan::IdOfArgument(text);
  if (!id) return {scan::NotAnIdText(text), std::nullopt};
  const scan::WhyOutcome why = scan::ExplainId(folder_, kind_, *id);
  IdAnswer answer{scan::WhyText(why, kind_, *id), std::nullopt};
  std::vector<std::string> files;
  for (const scan::WhyRecord& r : why.records)
    files.insert(files.end(), r.files.begin(), r.files.end());
  files.insert(files.end(), why.unmapped.begin(), why.unmapped.end());
  if (files.empty()) return answer;
  // A file below the folder as a finding names it: its folders by "/".
  checker::Finding about;
  about.file = files.front();
  std::replace(about.file.begin(), about.file.end(), platform::kSeparator, '/');
  answer.picture = LookAtPicture(folder_, about);
  return answer;
}

bool CheckReport::Save(const std::string& path, std::vector<std::size_t> rows) {
  const std::string text = model_.Saved(std::move(rows), SavedFormatOf(path));
  platform::AtomicFileWriter writer;
  if (writer.Open(path) && writer.Write(text) && writer.Commit()) return true;
  host_.ShowMessage(kReportNotSavedText, kErrorCaption, MessageKind::Warning);
  return false;
}

}  // namespace mapio::ui
