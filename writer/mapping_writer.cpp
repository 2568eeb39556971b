#include "writer/mapping_writer.h"

#include <optional>
#include <string>

#include "core/record_template.h"
#include "pack/names.h"
#include "platform/atomic_writer.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/paths.h"

namespace mapio::writer {

namespace {

constexpr std::size_t kProgressStep = 4096;

// One run of the make job; nothing of it outlives the call.
class WriterRun {
 public:
  WriterRun(const std::string& folderPath, const MakeOptions& options, MakeEvents& events)
      : folderPath_(folderPath),
        options_(options),
        events_(events),
        maker_(options.kind, options.idsFromNames, events),
        mappingPath_(platform::JoinPath(folderPath, kMappingFileName)),
        file_(options.writerHooks) {}

  MakeOutcome Run();

 private:
  void CountingPass(const platform::FolderListing& entries);
  void WritingPass(const platform::FolderListing& entries);
  void Progress(JobProgress::Phase phase, std::size_t done, std::size_t total, bool force);
  MakeOutcome Ended(MakeOutcome::Result result);

  const std::string& folderPath_;
  const MakeOptions& options_;
  MakeEvents& events_;
  RecordMaker maker_;
  const std::string mappingPath_;
  platform::AtomicFileWriter file_;
  std::string line_;
  NameList passedOver_;
  bool found_ = false;
  std::optional<platform::FileStamp> seen_;  // config.xml as the question saw it
};

MakeOutcome WriterRun::Run() {
  platform::FolderListing entries;
  if (!platform::ListFolder(folderPath_, entries)) return Ended(MakeOutcome::Result::ListingFailed);
  CountingPass(entries);
  if (found_ && !events_.ReplaceMapping()) return Ended(MakeOutcome::Result::Kept);

  // The writing pass goes over the same listing: a second search would cost
  // as much again (the sort dominates), and this way every file counted is
  // the file asked about, and the new file is never among them. Only over
  // the file the question was about, or where there was none.
  const platform::ExpectedTarget expected(seen_);
  if (!file_.Open(mappingPath_, platform::FileMode::Text, &expected))
    return Ended(MakeOutcome::Result::NotCreated);
  file_.Write(MappingHeader);
  WritingPass(entries);
  file_.Write(MappingTrailer);
  if (file_.Failed()) file_.Abort();
  if (file_.Failed() || !file_.Commit()) return Ended(MakeOutcome::Result::WriteFailed);
  return Ended(MakeOutcome::Result::Written);
}

void WriterRun::CountingPass(const platform::FolderListing& entries) {
  const std::size_t total = entries.Size();
  std::uint32_t expected = 0;
  for (std::size_t i = 0; i < total; ++i) {
    Progress(JobProgress::Phase::Counting, i, total, false);
    const platform::DirEntry entry = entries[i];
    if (entry.IsDirectory()) continue;
    if (IsMappingFileName(folderPath_, entry.name)) {
      found_ = true;
      seen_ = platform::StampOf(mappingPath_);
    } else if (IsRecordCandidate(folderPath_, entry)) {
      ++expected;
    } else if (!pack::IsLeftover(entry.name)) {
      passedOver_.Add(entry.name);
    }
  }
  maker_.SetExpected(expected);
  Progress(JobProgress::Phase::Counting, total, total, true);
}

void WriterRun::WritingPass(const platform::FolderListing& entries) {
  const std::size_t total = entries.Size();
  for (std::size_t i = 0; i < total && !file_.Failed(); ++i) {
    const platform::DirEntry entry = entries[i];
    if (!IsRecordCandidate(folderPath_, entry)) continue;
    // Every prompt shows where the job stands.
    Progress(JobProgress::Phase::Writing, i, total, !options_.idsFromNames);
    if (maker_.Make(entry.name, line_)) file_.Write(line_);
  }
  Progress(JobProgress::Phase::Writing, total, total, true);
}

void WriterRun::Progress(JobProgress::Phase phase, std::size_t done, std::size_t total,
                         bool force) {
  if (!force && done % kProgressStep != 0) return;
  events_.Progress({phase, done, total});
}

MakeOutcome WriterRun::Ended(MakeOutcome::Result result) {
  MakeOutcome outcome;
  outcome.result = result;
  outcome.failure = file_.Failure();
  outcome.added = maker_.Added();
  outcome.tooLarge = maker_.TooLarge();
  outcome.passedOver = passedOver_;
  return outcome;
}

}  // namespace

MakeOutcome MakeMapping(const std::string& folderPath, const MakeOptions& options,
                        MakeEvents& events) {
  return WriterRun(folderPath, options, events).Run();
}

}  // namespace mapio::writer
