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
  if (!text.empty()) host.ShowMessage(text, writer::kFilesNotAdded, MessageKind::Warning);
}

// Make's and update's questions, asked by the window.
class WindowAsking : public writer::UpdateEvents {
 public:
  WindowAsking(JobHost& host, IdPrompter& prompter) : host_(host), prompter_(prompter) {}

  void Progress(const JobProgress& progress) override { host_.ReportProgress(progress); }
  bool ReplaceMapping() override {
    return host_.ShowMessage(writer::kReplaceMappingText, writer::kReplaceMappingCaption,
                             MessageKind::Question) == MessageButton::Yes;
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
class WindowTranslateEvents : public translator::TranslateEvents {
 public:
  WindowTranslateEvents(JobHost& host, const RenameHeard& onRename)
      : host_(host), onRename_(onRename) {}

  void Progress(const JobProgress& progress) override { host_.ReportProgress(progress); }
  void NoReadFormat() override { Warn(host_, kNoKitTemplateText); }
  void Unreadable() override {
    host_.ShowMessage(translator::kUnreadableRecordText, "", MessageKind::Warning);
  }
  void NotRenamed(const std::string& from, const std::string& id) override {
    Warn(host_, translator::NotRenamedText(from, id));
  }
  void Renamed(const translator::TranslateRename& r) override {
    translator::AppendRenamedLine(processed, r);
    if (onRename_) onRename_(r.oldName, r.newName);
  }

  std::string processed{translator::kProcessedHeading};

 private:
  JobHost& host_;
  const RenameHeard& onRename_;
};

}  // namespace

void MakeMappingFile(JobSettings& settings, JobHost& host, IdPrompter& prompter,
                     writer::MakeOptions options) {
  options.kind = settings.Kind();
  options.idsFromNames = settings.allFilenamesAreIds;
  WindowAsking asking(host, prompter);
  const writer::MakeOutcome o = writer::MakeMapping(settings.folderPath, options, asking);
  if (o.result == writer::MakeOutcome::Result::Kept) return;
  if (o.result != writer::MakeOutcome::Result::Written)
    return Warn(host, writer::MakeFailureText(o));
  WarnNotAdded(host, writer::NotAddedText(o));
  host.ShowMessage(SuccessText(o.added), kSuccessCaption, MessageKind::Information);
}

void TranslateFileNames(JobSettings& settings, JobHost& host, translator::TranslateOptions options,
                        const RenameHeard& onRename) {
  options.kind = settings.Kind();
  WindowTranslateEvents events(host, onRename);
  const translator::TranslateOutcome o =
      translator::TranslateNames(settings.folderPath, options, events);
  if (o.result == translator::TranslateOutcome::Result::Stopped) return;
  if (const std::string_view failed = translator::TranslateFailureText(o); !failed.empty()) {
    const bool opened = o.result != translator::TranslateOutcome::Result::NotOpened;
    return void(host.ShowMessage(failed, opened ? kErrorCaption : kMappingOpenFailedCaption,
                                 MessageKind::Warning));
  }
  if (const std::string passedOver = translator::PassedOverText(o); !passedOver.empty())
    Warn(host, passedOver);
  std::string text =
      o.renamed == 0 ? std::string(translator::kNothingRenamed) : std::move(events.processed);
  host.ShowMessage(text + translator::RenamedCountText(o), translator::kStatusCaption,
                   MessageKind::Information);
}

void UpdateMappingFile(JobSettings& settings, JobHost& host, IdPrompter& prompter,
                       writer::UpdateOptions options) {
  options.kind = settings.Kind();
  options.idsFromNames = settings.allFilenamesAreIds;
  WindowAsking asking(host, prompter);
  const writer::UpdateOutcome o = writer::UpdateMapping(settings.folderPath, options, asking);
  if (o.result == writer::UpdateOutcome::Result::NotRead)
    return WarnNotRead(host, o.readResult, o.utf16);
  if (o.result != writer::UpdateOutcome::Result::Updated)
    return Warn(host, writer::UpdateFailureText(o));
  WarnNotAdded(host, writer::NotAddedText(o));
  host.ShowMessage(writer::UpdateSummaryText(o, options.dryRun), kSuccessCaption,
                   MessageKind::Information);
}

}  // namespace mapio
