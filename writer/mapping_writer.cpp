#include "writer/mapping_writer.h"

#include <string>
#include <vector>

#include "core/record_template.h"
#include "platform/platform.h"
#include "writer/record_maker.h"

namespace mapio {

namespace {

constexpr std::size_t kProgressStep = 4096;

// One run of the make job; nothing of it outlives the call.
class WriterRun {
 public:
  WriterRun(JobSettings& settings, JobHost& host, IdPrompter& prompter)
      : settings_(settings),
        host_(host),
        maker_(settings, host, prompter),
        mappingPath_(platform::JoinPath(settings.folderPath, kMappingFileName)) {}

  void Run();

 private:
  bool List(platform::FolderListing& entries);
  void CountingPass(const platform::FolderListing& entries);
  void WritingPass(const platform::FolderListing& entries);
  void Progress(JobProgress::Phase phase, std::size_t done, std::size_t total, bool force);
  void Finish();

  JobSettings& settings_;
  JobHost& host_;
  RecordMaker maker_;
  const std::string mappingPath_;
  platform::AtomicFileWriter file_;
  std::string line_;
  bool found_ = false;
  std::optional<platform::FileStamp> seen_;  // config.xml as the question saw it
};

void WriterRun::Run() {
  platform::FolderListing entries;
  if (!List(entries)) return;
  CountingPass(entries);

  if (found_ &&
      host_.ShowMessage("config.xml file was found in this directory. Do you want to owerwrite "
                        "it? If you choose NO, operation will be aborted.",
                        "ALERT: replace file?", MessageKind::Question) != MessageButton::Yes) {
    return;
  }

  // The writing pass goes over the same listing: a second search would cost
  // as much again (the sort dominates), and this way every file counted is
  // the file asked about, and the new file is never among them.
  // Only over the file the question was about, or where there was none.
  const platform::ExpectedTarget expected(seen_);
  if (!file_.Open(mappingPath_, platform::FileMode::Text, &expected)) {
    const platform::WriteFailure why = file_.Failure();
    const bool refused =
        why != platform::WriteFailure::NoSpace && why != platform::WriteFailure::IoError;
    host_.ShowMessage(refused ? WriteFailureText(why)
                              : "config.xml could not be created in this directory! No file was "
                                "changed.",
                      kErrorCaption, MessageKind::Warning);
    return;
  }
  file_.Write(MappingHeader);
  WritingPass(entries);
  Finish();
}

bool WriterRun::List(platform::FolderListing& entries) {
  if (platform::ListFolder(settings_.folderPath, entries)) return true;
  host_.ShowMessage(kListingFailed, kErrorCaption, MessageKind::Warning);
  return false;
}

void WriterRun::CountingPass(const platform::FolderListing& entries) {
  const std::size_t total = entries.Size();
  std::uint32_t expected = 0;
  for (std::size_t i = 0; i < total; ++i) {
    Progress(JobProgress::Phase::Counting, i, total, false);
    const platform::DirEntry entry = entries[i];
    if (entry.isDirectory) continue;
    if (IsMappingFileName(settings_.folderPath, entry.name)) {
      found_ = true;
      seen_ = platform::StampOf(mappingPath_);
    } else if (IsRecordCandidate(settings_.folderPath, entry)) {
      ++expected;
    }
  }
  maker_.SetExpected(expected);
  Progress(JobProgress::Phase::Counting, total, total, true);
}

void WriterRun::WritingPass(const platform::FolderListing& entries) {
  const std::size_t total = entries.Size();
  for (std::size_t i = 0; i < total && !file_.Failed(); ++i) {
    const platform::DirEntry entry = entries[i];
    if (!IsRecordCandidate(settings_.folderPath, entry)) continue;
    // Every prompt shows where the job stands.
    Progress(JobProgress::Phase::Writing, i, total, !settings_.allFilenamesAreIds);
    if (maker_.Make(entry.name, line_)) file_.Write(line_);
  }
  Progress(JobProgress::Phase::Writing, total, total, true);
}

void WriterRun::Progress(JobProgress::Phase phase, std::size_t done, std::size_t total,
                         bool force) {
  if (!force && done % kProgressStep != 0) return;
  host_.ReportProgress({phase, done, total});
}

void WriterRun::Finish() {
  file_.Write(MappingTrailer);
  if (file_.Failed()) file_.Abort();
  if (file_.Failed() || !file_.Commit()) {
    host_.ShowMessage(WriteFailureText(file_.Failure()), kErrorCaption, MessageKind::Warning);
    return;
  }
  const std::string skipped = maker_.SkippedWarning();
  if (!skipped.empty()) host_.ShowMessage(skipped, "Files not added", MessageKind::Warning);
  host_.ShowMessage(SuccessText(maker_.Added()), kSuccessCaption, MessageKind::Information);
}

}  // namespace

void MappingWriter(JobSettings& settings, JobHost& host, IdPrompter& prompter) {
  WriterRun(settings, host, prompter).Run();
}

}  // namespace mapio
