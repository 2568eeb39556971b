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

// Make's and update's questions, asked by the window.
class WindowAsking : public UpdateEvents {
 public:
  WindowAsking(JobHost& host, IdPrompter& prompter) : host_(host), prompter_(prompter) {}

  void Progress(const JobProgress& progress) override { host_.ReportProgress(progress); }
  bool ReplaceMapping() override {
    return host_.ShowMessage(kReplaceMappingText, kReplaceMappingCaption, MessageKind::Question) ==
           MessageButton::Yes;
  }
  std::optional<std::uint32_t> AskFileId(std::string_view fileName,
                                         std::string_view counter) override {
    return prompter_.AskFileId(fileName, counter);
  }
  std::optional<KitAnswer> AskKitId(std::string_view fileName, std::string_view counter) override {
    return prompter_.AskKitId(fileName, counter);
  }

 private:
  JobHost& host_;
  IdPrompter& prompter_;
};

// Translate's warnings as boxes, one per record, and its renames gathered
// for the closing message.
class WindowTranslateEvents : public TranslateEvents {
 public:
  WindowTranslateEvents(JobHost& host, const RenameHeard& onRename)
      : host_(host), onRename_(onRename) {}

  void Progress(const JobProgress& progress) override { host_.ReportProgress(progress); }
  void NoReadFormat() override { Warn(host_, kNoKitTemplateText); }
  void Unreadable() override { host_.ShowMessage(kUnreadableRecordText, "", MessageKind::Warning); }
  void NotRenamed(const std::string& from, const std::string& id) override {
    Warn(host_, NotRenamedText(from, id));
  }
  void Renamed(const TranslateRename& r) override {
    AppendRenamedLine(processed, r);
    if (onRename_) onRename_(r.oldName, r.newName);
  }

  std::string processed{kProcessedHeading};

 private:
  JobHost& host_;
  const RenameHeard& onRename_;
};

}  // namespace

void MakeMappingFile(JobSettings& settings, JobHost& host, IdPrompter& prompter,
                     MakeOptions options) {
  options.kind = settings.Kind();
  options.idsFromNames = settings.allFilenamesAreIds;
  WindowAsking asking(host, prompter);
  const MakeOutcome o = MakeMapping(settings.folderPath, options, asking);
  if (o.result == MakeOutcome::Result::Kept) return;
  if (o.result != MakeOutcome::Result::Written) return Warn(host, MakeFailureText(o));
  WarnNotAdded(host, NotAddedText(o));
  host.ShowMessage(SuccessText(o.added), kSuccessCaption, MessageKind::Information);
}

void TranslateFileNames(JobSettings& settings, JobHost& host, TranslateOptions options,
                        const RenameHeard& onRename) {
  options.kind = settings.Kind();
  WindowTranslateEvents events(host, onRename);
  const TranslateOutcome o = TranslateNames(settings.folderPath, options, events);
  if (o.result == TranslateOutcome::Result::Stopped) return;
  if (const std::string_view failed = TranslateFailureText(o); !failed.empty()) {
    const bool opened = o.result != TranslateOutcome::Result::NotOpened;
    return void(host.ShowMessage(failed, opened ? kErrorCaption : kMappingOpenFailedCaption,
                                 MessageKind::Warning));
  }
  if (const std::string passedOver = PassedOverText(o); !passedOver.empty()) Warn(host, passedOver);
  std::string text = o.renamed == 0 ? std::string(kNothingRenamed) : std::move(events.processed);
  host.ShowMessage(text + RenamedCountText(o), kStatusCaption, MessageKind::Information);
}

void UpdateMappingFile(JobSettings& settings, JobHost& host, IdPrompter& prompter,
                       UpdateOptions options) {
  options.kind = settings.Kind();
  options.idsFromNames = settings.allFilenamesAreIds;
  WindowAsking asking(host, prompter);
  const UpdateOutcome o = UpdateMapping(settings.folderPath, options, asking);
  if (o.result == UpdateOutcome::Result::NotRead) return WarnNotRead(host, o.readResult, o.utf16);
  if (o.result != UpdateOutcome::Result::Updated) return Warn(host, UpdateFailureText(o));
  WarnNotAdded(host, NotAddedText(o));
  host.ShowMessage(UpdateSummaryText(o, options.dryRun), kSuccessCaption, MessageKind::Information);
}

}  // namespace mapio
