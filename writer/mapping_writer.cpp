#include "writer/mapping_writer.h"

#include <string>
#include <vector>

#include "core/record_template.h"
#include "platform/platform.h"
#include "writer/record_name.h"

namespace mapio {

namespace {

constexpr std::size_t kProgressStep = 4096;
constexpr std::size_t kSkippedShown = 20;
constexpr std::string_view kCannotWriteText =
    "config.xml in this directory cannot be written: it is read-only, belongs to another user "
    "or is a folder! No file was changed.";

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string SkippedText(const std::vector<std::string>& skipped) {
  std::string text =
      "These files were not added: the number their names begin with is too large for an ID "
      "(the IDs go from 0 to 4294967295; names may begin with -2147483648 to -1 too):";
  for (std::size_t i = 0; i < skipped.size() && i < kSkippedShown; ++i) {
    text += "\n";
    text += skipped[i];
  }
  if (skipped.size() > kSkippedShown) {
    text += "\nand " + std::to_string(skipped.size() - kSkippedShown) + " more";
  }
  return text;
}

// One run of the make job; nothing of it outlives the call.
class WriterRun {
 public:
  WriterRun(JobSettings& settings, JobHost& host, IdPrompter& prompter)
      : settings_(settings),
        host_(host),
        prompter_(prompter),
        kits_(settings.objectKind == Kits),
        mappingPath_(platform::JoinPath(settings.folderPath, kMappingFileName)) {}

  void Run();

 private:
  bool List(std::vector<platform::DirEntry>& entries);
  bool IsMappingFile(const std::string& name) const;
  bool IsCandidate(const platform::DirEntry& entry) const;
  void CountingPass(const std::vector<platform::DirEntry>& entries);
  void WritingPass(const std::vector<platform::DirEntry>& entries);
  void AddFromName(const std::string& recordName, const std::string& fileName);
  void AddByPrompt(const std::string& recordName, const std::string& fileName);
  void Emit(std::string_view format, std::string_view recordName, std::uint32_t id);
  void Progress(JobProgress::Phase phase, std::size_t done, std::size_t total, bool force);
  void Finish();

  JobSettings& settings_;
  JobHost& host_;
  IdPrompter& prompter_;
  const bool kits_;
  const std::string mappingPath_;
  std::string format_;  // "\t\t" and the kind's write format; unused for kits
  platform::AtomicFileWriter file_;
  std::string line_;
  bool found_ = false;
  std::uint32_t expected_ = 0;
  std::uint32_t added_ = 0;
  std::vector<std::string> skipped_;  // names whose number is no ID
};

void WriterRun::Run() {
  if (!kits_) format_ = "\t\t" + GetRecordTemplate(host_, settings_.objectKind, TemplateHalf::Write);

  std::vector<platform::DirEntry> entries;
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
  if (!file_.Open(mappingPath_)) {
    host_.ShowMessage(file_.TargetRefused()
                          ? kCannotWriteText
                          : "config.xml could not be created in this directory! No file was "
                            "changed.",
                      kErrorCaption, MessageKind::Warning);
    return;
  }
  file_.Write(MappingHeader);
  WritingPass(entries);
  Finish();
}

bool WriterRun::List(std::vector<platform::DirEntry>& entries) {
  entries.clear();
  if (platform::ListFolder(settings_.folderPath, entries)) return true;
  host_.ShowMessage("The files of this directory could not be listed! No file was changed.",
                    kErrorCaption, MessageKind::Warning);
  return false;
}

// On a file system that ignores case, Config.XML is the file config.xml
// names. Only the rare near-misses cost a look at the disk.
bool WriterRun::IsMappingFile(const std::string& name) const {
  if (name == kMappingFileName) return true;
  return EqualsIgnoringAsciiCase(name, kMappingFileName) &&
         platform::SameFile(platform::JoinPath(settings_.folderPath, name), mappingPath_);
}

// The job's own temporary file is made after the listing, so it is never
// in it; a file of the user's that only looks like one is a candidate.
bool WriterRun::IsCandidate(const platform::DirEntry& entry) const {
  return !entry.isDirectory && !IsMappingFile(entry.name);
}

void WriterRun::CountingPass(const std::vector<platform::DirEntry>& entries) {
  const std::size_t total = entries.size();
  for (std::size_t i = 0; i < total; ++i) {
    Progress(JobProgress::Phase::Counting, i, total, false);
    const platform::DirEntry& entry = entries[i];
    if (entry.isDirectory) continue;
    if (IsMappingFile(entry.name)) {
      found_ = true;
    } else {
      ++expected_;
    }
  }
  Progress(JobProgress::Phase::Counting, total, total, true);
}

void WriterRun::WritingPass(const std::vector<platform::DirEntry>& entries) {
  const std::size_t total = entries.size();
  for (std::size_t i = 0; i < total && !file_.Failed(); ++i) {
    const platform::DirEntry& entry = entries[i];
    if (!IsCandidate(entry)) continue;
    const std::string recordName = RecordName(entry.name);
    if (settings_.allFilenamesAreIds) {
      Progress(JobProgress::Phase::Writing, i, total, false);
      AddFromName(recordName, entry.name);
    } else {
      Progress(JobProgress::Phase::Writing, i, total, true);
      AddByPrompt(recordName, entry.name);
    }
  }
  Progress(JobProgress::Phase::Writing, total, total, true);
}

void WriterRun::AddFromName(const std::string& recordName, const std::string& fileName) {
  const std::optional<std::uint32_t> id = LeadingId(recordName);
  if (!id) {
    skipped_.push_back(fileName);
    return;
  }
  Emit(kits_ ? KitTemplates[static_cast<std::size_t>(KitKind::Home)] : format_, recordName, *id);
}

void WriterRun::AddByPrompt(const std::string& recordName, const std::string& fileName) {
  // The file being asked about is counted in the second number, not yet in
  // the first.
  const std::string counter = std::to_string(added_) + "/" + std::to_string(expected_);
  if (kits_) {
    const std::optional<KitAnswer> answer = prompter_.AskKitId(fileName, counter);
    if (!answer) {
      --expected_;
      return;
    }
    auto kind = static_cast<std::size_t>(answer->kitKind);
    if (kind >= KitTemplates.size()) kind = static_cast<std::size_t>(KitKind::Home);
    Emit(KitTemplates[kind], recordName, answer->id);
    return;
  }
  const std::optional<std::uint32_t> id = prompter_.AskFileId(fileName, counter);
  if (!id) {
    --expected_;
    return;
  }
  Emit(format_, recordName, *id);
}

void WriterRun::Emit(std::string_view format, std::string_view recordName, std::uint32_t id) {
  ++added_;
  line_.clear();
  AppendRecord(line_, format, recordName, id);
  file_.Write(line_);
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
    host_.ShowMessage(file_.TargetRefused()
                          ? kCannotWriteText
                          : "config.xml could not be written (is the disk full?)! No file was "
                            "changed.",
                      kErrorCaption, MessageKind::Warning);
    return;
  }
  if (!skipped_.empty()) {
    host_.ShowMessage(SkippedText(skipped_), "Files not added", MessageKind::Warning);
  }
  host_.ShowMessage("Success! " + std::to_string(added_) + " files added in XML file!", "Success!",
                    MessageKind::Information);
}

}  // namespace

void MappingWriter(JobSettings& settings, JobHost& host, IdPrompter& prompter) {
  WriterRun(settings, host, prompter).Run();
}

}  // namespace mapio
