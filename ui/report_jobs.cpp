#include "ui/report_jobs.h"

#include "convert/convert_ids.h"
#include "convert/convert_texts.h"
#include "platform/user_files.h"
#include "translator/undo.h"
#include "translator/undo_texts.h"
#include "ui/check_job.h"

namespace mapio::ui {

namespace {

// The command line's words as a sentence of a box.
std::string Sentence(std::string text) {
  if (text.empty()) return text;
  if (text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 32);
  const char last = text.back();
  return last == '.' || last == '!' || last == '?' ? text : text + ".";
}

// Journals are kept under the folder's one spelling.
std::optional<translator::TranslateOnRecord> LatestTranslate(const std::string& folder) {
  const std::vector<translator::TranslateOnRecord> translates =
      translator::TranslatesOnRecord(platform::CanonicalFolder(folder));
  if (translates.empty()) return std::nullopt;
  return translates.front();
}

}  // namespace

ReportButtons ReportOffers(const checker::PackReport& report, const std::string& folder,
                           bool canUpdate) {
  ReportButtons buttons;
  if (canUpdate && report.newPictures != 0) buttons.addNew = AddNewButtonText(report.newPictures);
  if (canUpdate && report.missingRecords != 0)
    buttons.removeMissing = RemoveMissingButtonText(report.missingRecords);
  if (report.plainIds != 0) buttons.useGeneratedIds = kUseGeneratedIdsButton;
  if (report.generatedIds != 0) buttons.usePlainIds = kUsePlainIdsButton;
  if (const std::optional<translator::TranslateOnRecord> latest = LatestTranslate(folder))
    buttons.undoTranslate = UndoButtonText(*latest);
  return buttons;
}

void ConvertFromReport(JobHost& host, const std::string& folder, const checker::PackReport& report,
                       bool toGenerated) {
  if (host.ShowMessage(ConvertQuestion(report, toGenerated), kConvertCaption,
                       MessageKind::Question) != MessageButton::Yes)
    return;
  convert::ConvertOptions options;
  options.kind = report.objectKind;
  options.to = toGenerated ? convert::IdStyle::Generated : convert::IdStyle::Plain;
  const convert::ConvertOutcome o = convert::ConvertIds(folder, options);
  switch (o.result) {
    case convert::ConvertOutcome::Result::Converted:
      host.ShowMessage(Sentence(convert::ConvertedText(o, options.to, false)), kConvertCaption,
                       MessageKind::Information);
      return;
    case convert::ConvertOutcome::Result::NothingToConvert:
      host.ShowMessage(Sentence(convert::NothingToConvertText(o)), kConvertCaption,
                       MessageKind::Information);
      return;
    case convert::ConvertOutcome::Result::NoFile:
    case convert::ConvertOutcome::Result::NoList:
    case convert::ConvertOutcome::Result::WriteFailed:
      host.ShowMessage(Sentence(convert::ConvertFailureText(o)), kErrorCaption,
                       MessageKind::Warning);
      return;
  }
}

void UndoFromReport(JobHost& host, const std::string& folder) {
  const std::optional<translator::TranslateOnRecord> latest = LatestTranslate(folder);
  if (!latest) {
    host.ShowMessage(
        Sentence(translator::UndoFailureText(translator::UndoOutcome::Result::NoJournal)),
        kErrorCaption, MessageKind::Warning);
    return;
  }
  if (host.ShowMessage(UndoQuestion(*latest), kUndoCaption, MessageKind::Question) !=
      MessageButton::Yes)
    return;
  const translator::UndoOutcome o = translator::UndoTranslate(platform::CanonicalFolder(folder));
  if (o.result != translator::UndoOutcome::Result::Undone) {
    host.ShowMessage(Sentence(translator::UndoFailureText(o.result)), kErrorCaption,
                     MessageKind::Warning);
    return;
  }
  if (o.left.empty()) {
    host.ShowMessage(Sentence(translator::UndoneText(o, false)), kUndoCaption,
                     MessageKind::Information);
    return;
  }
  host.ShowMessage(Sentence(translator::UndoneText(o, false)) + "\n\n" + translator::LeftText(o),
                   kUndoCaption, MessageKind::Warning);
}

}  // namespace mapio::ui
