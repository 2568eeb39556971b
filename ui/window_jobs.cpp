#include "ui/window_jobs.h"

#include "core/mapping_messages.h"
#include "translator/translate_texts.h"
#include "writer/outcome_texts.h"

namespace mapio {

namespace {

void WarnNotRead(JobHost& host, platform::ReadResult result, bool utf16) {
  const bool missing = result == platform::ReadResult::Missing;
  host.ShowMessage(ReadFailureText(result, utf16),
                   missing ? kMappingOpenFailedCaption : kErrorCaption, MessageKind::Warning);
}

void Warn(JobHost& host, std::string_view text) {
  host.ShowMessage(text, kErrorCaption, MessageKind::Warning);
}

void WarnNotAdded(JobHost& host, const std::string& text) {
  if (!text.empty()) host.ShowMessage(text, kFilesNotAdded, MessageKind::Warning);
}

JobQuestions QuestionsOf(JobHost& host, IdPrompter& prompter) {
  JobQuestions questions{prompter};
  questions.replaceMapping = [&host] {
    return host.ShowMessage(kReplaceMappingText, kReplaceMappingCaption, MessageKind::Question) ==
           MessageButton::Yes;
  };
  questions.progress = [&host](const JobProgress& progress) { host.ReportProgress(progress); };
  return questions;
}

}  // namespace

void MappingWriter(JobSettings& settings, JobHost& host, IdPrompter& prompter,
                   MakeOptions options) {
  options.kind = settings.Kind();
  options.idsFromNames = settings.allFilenamesAreIds;
  const MakeOutcome o = MakeMapping(settings.folderPath, options, QuestionsOf(host, prompter));
  if (o.result == MakeOutcome::Result::Kept) return;
  if (o.result != MakeOutcome::Result::Written) return Warn(host, MakeFailureText(o));
  WarnNotAdded(host, NotAddedText(o));
  host.ShowMessage(SuccessText(o.added), kSuccessCaption, MessageKind::Information);
}

void MappingTranslator(
    JobSettings& settings, JobHost& host, TranslateOptions options,
    const std::function<void(const std::string& from, const std::string& to)>& onRename) {
  options.kind = settings.Kind();
  std::string processed(kProcessedHeading);
  TranslateEvents events;
  events.noReadFormat = [&] { Warn(host, kNoKitTemplateText); };
  events.unreadable = [&] { host.ShowMessage(kUnreadableRecordText, "", MessageKind::Warning); };
  events.notRenamed = [&](const std::string& from, const std::string& id) {
    Warn(host, NotRenamedText(from, id));
  };
  events.renamed = [&](const TranslateRename& r) {
    AppendRenamedLine(processed, r);
    if (onRename) onRename(r.oldName, r.newName);
  };
  events.progress = [&host](const JobProgress& progress) { host.ReportProgress(progress); };
  const TranslateOutcome o = TranslateNames(settings.folderPath, options, events);
  using Result = TranslateOutcome::Result;
  switch (o.result) {
    // Whatever the reason, as the job has always said it.
    case Result::NotOpened:
      return void(
          host.ShowMessage(kMappingOpenFailed, kMappingOpenFailedCaption, MessageKind::Warning));
    case Result::NoList: return Warn(host, kMappingReadError);
    case Result::Busy: return Warn(host, kTranslateBusyText);
    case Result::Stopped: return;
    case Result::Done: break;
  }
  if (const std::string passedOver = PassedOverText(o); !passedOver.empty()) Warn(host, passedOver);
  std::string text = o.renamed == 0 ? std::string(kNothingRenamed) : std::move(processed);
  host.ShowMessage(text + RenamedCountText(o), kStatusCaption, MessageKind::Information);
}

void MappingUpdater(JobSettings& settings, JobHost& host, IdPrompter& prompter,
                    UpdateOptions options) {
  options.kind = settings.Kind();
  options.idsFromNames = settings.allFilenamesAreIds;
  const UpdateOutcome o = UpdateMapping(settings.folderPath, options, QuestionsOf(host, prompter));
  if (o.result == UpdateOutcome::Result::NotRead) return WarnNotRead(host, o.readResult, o.utf16);
  if (o.result != UpdateOutcome::Result::Updated) return Warn(host, UpdateFailureText(o));
  WarnNotAdded(host, NotAddedText(o));
  host.ShowMessage(UpdateSummaryText(o, options.dryRun), kSuccessCaption, MessageKind::Information);
}

}  // namespace mapio
