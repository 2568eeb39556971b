#include "ui/check_report.h"

#include "platform/platform.h"
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

CheckReport::CheckReport(JobHost& host, std::string folder, CheckedPack checked,
                         const ReportView& view, EditAtLine edit,
                         std::function<CheckedPack()> checkAgain)
    : host_(host),
      folder_(std::move(folder)),
      model_(std::move(checked.report), view),
      buttons_(std::move(checked.buttons)),
      edit_(std::move(edit)),
      checkAgain_(std::move(checkAgain)) {}

std::string_view CheckReport::Caption() const { return kCheckCaption; }

bool CheckReport::Open(std::size_t row, EditorView& editor) {
  if (row >= model_.Rows() || model_.At(row).line == 0 || !edit_) return false;
  if (!edit_(model_.At(row).line, editor) || !checkAgain_) return false;
  CheckedPack fresh = checkAgain_();
  model_ = ReportModel(std::move(fresh.report), model_.View());
  buttons_ = std::move(fresh.buttons);
  return true;
}

std::optional<PictureFacts> CheckReport::PictureOf(std::size_t row) const {
  if (row >= model_.Rows()) return std::nullopt;
  return LookAtPicture(folder_, model_.At(row));
}

bool CheckReport::Save(const std::string& path, std::vector<std::size_t> rows) {
  const std::string text = model_.Saved(std::move(rows), SavedFormatOf(path));
  platform::AtomicFileWriter writer;
  if (writer.Open(path) && writer.Write(text) && writer.Commit()) return true;
  host_.ShowMessage(kReportNotSavedText, kErrorCaption, MessageKind::Warning);
  return false;
}

}  // namespace mapio::ui
