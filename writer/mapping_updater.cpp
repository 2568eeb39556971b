#include "writer/mapping_updater.h"

#include <unordered_map>
#include <vector>

#include "checker/check_pack.h"
#include "checker/kinds.h"
#include "checker/pack_reader.h"
#include "core/mapping_messages.h"
#include "core/name_index.h"
#include "platform/platform.h"
#include "writer/pack_edit.h"
#include "writer/record_maker.h"
#include "writer/record_name.h"

namespace mapio {

namespace {

// The pictures a file's records already speak for: by name, in any letter
// case, and by ID once the folder has been translated. Exact names are
// looked up first: in a pack the make job wrote, that is every name, and
// nothing need be folded or parsed further.
class KnownNames {
 public:
  explicit KnownNames(const checker::PackFile& pack) : pack_(pack) {
    const std::vector<checker::PackRecord>& records = pack.records;
    names_.Reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
      if (i + kLoadAhead < records.size()) names_.Prefetch(records[i + kLoadAhead].from);
      names_.Add(records[i].from);
    }
  }
  // Knows(recordName) is coming soon: see NameIndex::Prefetch.
  void Prefetch(std::uint32_t hash, int step) const { names_.Prefetch(hash, step); }
  bool Knows(std::string_view recordName) {
    if (names_.Contains(recordName)) return true;
    if (!othersMade_) {
      othersMade_ = true;
      std::string key;
      for (const checker::PackRecord& record : pack_.records) {
        if (const auto path = checker::KindOfPath(record.to)) others_.Add(path->id);
        key.clear();
        platform::AppendCaseFoldKey(record.from, key);
        others_.Add(key.append(1, '\0'));
      }
    }
    key_.clear();
    platform::AppendCaseFoldKey(recordName, key_);
    return others_.Contains(recordName) || others_.Contains(key_.append(1, '\0'));
  }

 private:
  const checker::PackFile& pack_;
  NameIndex names_;
  // IDs, and folded names marked with a trailing NUL so the two never meet.
  NameIndex others_;
  bool othersMade_ = false;
  std::string key_;
};

enum class Reading { Ok, CannotOpen, NoList };

// config.xml's bytes and records; a file to update needs a list.
Reading ReadMapping(const std::string& path, std::string& bytes, checker::PackFile& pack) {
  platform::TextReader reader;
  if (platform::IsDirectory(path) || !reader.Open(path, platform::FileMode::Binary))
    return Reading::CannotOpen;
  if (!reader.ReadAll(bytes)) return Reading::NoList;
  pack = checker::ParsePackFile(bytes);
  return pack.listFound && pack.listEnd != std::string_view::npos ? Reading::Ok : Reading::NoList;
}

// The make job's candidates, in its order, that no record names yet.
// `entries` in any order: only the few new ones are sorted.
platform::FolderListing NewFiles(const std::string& folderPath, const checker::PackFile& pack,
                                 const platform::FolderListing& entries) {
  KnownNames known(pack);
  platform::FolderListing fresh;
  // The names of the next entries are made ahead, so that their lookups
  // can start loading.
  std::string names[kLoadAhead];
  const auto start = [&](std::size_t i) {
    std::string& name = names[i % kLoadAhead];
    name = RecordName(entries[i].name);
    const std::uint32_t hash = NameIndex::HashOf(name);
    known.Prefetch(hash, 0);
    return hash;
  };
  const auto load = [&](std::uint32_t hash, int step) { known.Prefetch(hash, step); };
  VisitLoadingAhead(entries.Size(), start, load, [&](std::size_t i) {
    const platform::DirEntry entry = entries[i];
    if (IsRecordCandidate(folderPath, entry) && !known.Knows(names[i % kLoadAhead]))
      fresh.Add(entry.name, false);
  });
  fresh.SortByName();
  return fresh;
}

struct Removal {
  std::size_t line;
  std::string_view text;  // trimmed
  const std::string* name;
};

// The lines of the records `report` finds missing; a line that holds
// anything else as well stays.
std::vector<Removal> Removals(std::string_view bytes, const checker::PackFile& pack,
                              const checker::PackReport& report) {
  std::unordered_map<std::size_t, int> recordsOnLine;
  for (const checker::PackRecord& record : pack.records) ++recordsOnLine[record.line];
  std::vector<std::size_t> starts{0};
  for (std::size_t i = bytes.find('\n'); i != std::string_view::npos; i = bytes.find('\n', i + 1))
    starts.push_back(i + 1);
  std::vector<Removal> removals;
  for (const checker::Finding& finding : report.findings) {
    if (finding.category != checker::Category::Missing || recordsOnLine[finding.line] != 1 ||
        finding.line == 0 || finding.line > starts.size())
      continue;
    const std::size_t begin = starts[finding.line - 1];
    const std::size_t end = finding.line < starts.size() ? starts[finding.line] : bytes.size();
    const std::string_view line = platform::Trim(bytes.substr(begin, end - begin));
    if (!line.starts_with("<record") || !line.ends_with(">") ||
        line.find("list") != std::string_view::npos)
      continue;
    removals.push_back({finding.line, line, &finding.name});
  }
  return removals;
}

class UpdateRun {
 public:
  UpdateRun(JobSettings& settings, JobHost& host, IdPrompter& prompter,
            const UpdateOptions& options)
      : settings_(settings),
        host_(host),
        options_(options),
        maker_(settings, host, prompter),
        mappingPath_(platform::JoinPath(settings.folderPath, kMappingFileName)) {}

  void Run() {
    // Listing and reading side by side: each waits on something else.
    platform::FolderListing entries;
    bool listed = false;
    Reading reading = Reading::Ok;
    platform::RunTogether(
        [&] {
          listed =
              platform::ListFolder(settings_.folderPath, entries, platform::ListOrder::AsStored);
        },
        [&] { reading = ReadMapping(mappingPath_, bytes_, pack_); });
    if (!Read(reading)) return;
    if (!listed) {
      host_.ShowMessage(kListingFailed, kErrorCaption, MessageKind::Warning);
      return;
    }
    if (options_.prune) FindGone();
    if (options_.addNew) AddNew(entries);
    if ((edit_.insert.empty() && edit_.removeLines.empty()) || options_.dryRun) {
      Report();
      return;
    }
    if (Write()) Report();
  }

 private:
  bool Read(Reading reading) {
    switch (reading) {
      case Reading::Ok: return true;
      case Reading::CannotOpen:
        host_.ShowMessage(kMappingOpenFailed, kMappingOpenFailedCaption, MessageKind::Warning);
        return false;
      case Reading::NoList:
        host_.ShowMessage(kMappingReadError, kErrorCaption, MessageKind::Warning);
        return false;
    }
    return false;
  }

  // The lines of the records the check finds missing; a line that holds
  // anything else as well stays.
  void FindGone() {
    const checker::PackReport report =
        checker::CheckPack(settings_.folderPath, settings_.objectKind);
    for (const Removal& removal : Removals(bytes_, pack_, report)) {
      edit_.removeLines.push_back(removal.line);
      removed_.push_back("line " + std::to_string(removal.line) + ": " + *removal.name);
      if (options_.onChange) options_.onChange('-', std::string(removal.text));
    }
  }

  void AddNew(const platform::FolderListing& entries) {
    const platform::FolderListing fresh = NewFiles(settings_.folderPath, pack_, entries);
    maker_.SetExpected(static_cast<std::uint32_t>(fresh.Size()));
    const std::string_view lineEnd = LineEndOf(bytes_);
    std::string line;
    for (const platform::DirEntry entry : fresh) {
      if (!maker_.Make(entry.name, line)) continue;
      line.pop_back();  // the format's "\n"
      if (options_.onChange) options_.onChange('+', line);
      edit_.insert.append(line).append(lineEnd);
    }
    if (edit_.insert.empty()) return;
    bool needsBreak = false;
    edit_.insertAt = InsertionPoint(bytes_, pack_.listEnd, needsBreak);
    if (needsBreak) edit_.insert.insert(0, lineEnd);
  }

  bool Write() {
    platform::AtomicFileWriter file;
    file.Open(mappingPath_, platform::FileMode::Binary);
    if (edit_.removeLines.empty()) {
      // Only added lines: the file's own bytes go out as they are, uncopied.
      const std::string_view bytes = bytes_;
      file.Write(bytes.substr(0, edit_.insertAt));
      file.Write(edit_.insert);
      file.Write(bytes.substr(edit_.insertAt));
    } else {
      file.Write(ApplyPackEdit(bytes_, edit_));
    }
    if (file.Failed() || !file.Commit()) {
      host_.ShowMessage(WriteFailedText(file), kErrorCaption, MessageKind::Warning);
      return false;
    }
    return true;
  }

  void Report() {
    const std::string skipped = maker_.SkippedWarning();
    if (!skipped.empty()) host_.ShowMessage(skipped, "Files not added", MessageKind::Warning);
    const std::string added = std::to_string(maker_.Added());
    const std::string removed = std::to_string(removed_.size());
    const std::string kept = std::to_string(pack_.records.size() - removed_.size());
    std::string text =
        options_.dryRun
            ? "Dry run, nothing was written: " + added + " files would be added in XML file!\n" +
                  kept + " records would be kept, " + removed + " removed"
            : SuccessText(maker_.Added()) + "\n" + kept + " records kept, " + removed + " removed";
    text += removed_.empty() ? "." : ":";
    for (const std::string& r : removed_) text += "\n" + r;
    host_.ShowMessage(text, kSuccessCaption, MessageKind::Information);
  }

  JobSettings& settings_;
  JobHost& host_;
  const UpdateOptions& options_;
  RecordMaker maker_;
  const std::string mappingPath_;
  std::string bytes_;
  checker::PackFile pack_;
  PackEdit edit_;
  std::vector<std::string> removed_;
};

}  // namespace

UpdateCounts CountUpdates(const std::string& folderPath, const checker::PackReport& report) {
  std::string bytes;
  checker::PackFile pack;
  if (ReadMapping(platform::JoinPath(folderPath, kMappingFileName), bytes, pack) != Reading::Ok)
    return {};
  UpdateCounts counts;
  counts.removableRecords = Removals(bytes, pack, report).size();
  platform::FolderListing entries;
  if (platform::ListFolder(folderPath, entries, platform::ListOrder::AsStored))
    counts.newPictures = NewFiles(folderPath, pack, entries).Size();
  return counts;
}

void MappingUpdater(JobSettings& settings, JobHost& host, IdPrompter& prompter,
                    const UpdateOptions& options) {
  UpdateRun(settings, host, prompter, options).Run();
}

}  // namespace mapio
