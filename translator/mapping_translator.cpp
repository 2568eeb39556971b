#include "translator/mapping_translator.h"

#include <cstring>

#include "pack/list_lines.h"
#include "platform/platform.h"
#include "platform/user_files.h"
#include "translator/journal.h"
#include "translator/picture_folder.h"

namespace mapio {

namespace {

using pack::ListEntry;
using pack::ListLines;

// An entry of the list, kept past the reading of the next.
struct Held {
  bool record = false;
  std::string name;
  std::string id;
};

// The entries the plan's reading of the list met, kept for the renames up
// to a budget: most packs' lists are then read once. Each is a byte that
// tells a record, and for a record its name and ID with their sizes.
class HeldEntries {
 public:
  // Far below the rest of a run's memory at half a million pictures.
  static constexpr std::size_t kBudget = std::size_t{8} << 20;

  explicit HeldEntries(std::size_t budget = kBudget) : budget_(budget) {}

  // False, and nothing kept, when the budget does not allow it.
  bool Add(const ListEntry& entry) {
    const std::size_t size = 1 + (entry.record ? 3 + entry.name.size() + entry.id.size() : 0);
    if (bytes_.size() + size > budget_ || entry.name.size() > UINT16_MAX ||
        entry.id.size() > UINT8_MAX)
      return false;
    // Room for all at once: growing by copies would hold the old beside the new.
    if (bytes_.empty()) bytes_.reserve(budget_);
    bytes_.push_back(entry.record ? 1 : 0);
    if (!entry.record) return true;
    bytes_.push_back(static_cast<char>(entry.name.size() & 0xFF));
    bytes_.push_back(static_cast<char>(entry.name.size() >> 8));
    bytes_.append(entry.name);
    bytes_.push_back(static_cast<char>(entry.id.size()));
    bytes_.append(entry.id);
    return true;
  }
  std::size_t Size() const { return bytes_.size(); }
  void CutTo(std::size_t size) { bytes_.resize(size); }

  bool Next(Held& held) {
    if (at_ >= bytes_.size()) return false;
    held.record = bytes_[at_++] != 0;
    if (!held.record) return true;
    const std::size_t name = Byte(at_) | Byte(at_ + 1) << 8;
    held.name.assign(bytes_, at_ + 2, name);
    at_ += 2 + name;
    const std::size_t id = Byte(at_);
    held.id.assign(bytes_, at_ + 1, id);
    at_ += 1 + id;
    return true;
  }

 private:
  std::size_t Byte(std::size_t at) const { return static_cast<unsigned char>(bytes_[at]); }

  std::size_t budget_;
  std::string bytes_;
  std::size_t at_ = 0;
};

// Where the renames find the list's entries: those kept, then the rest of
// the file from where the keeping stopped.
struct ListSource {
  explicit ListSource(std::size_t budget) : held(budget) {}
  HeldEntries held;
  bool allHeld = false;
  std::optional<ListLines::Position> restFrom;
};

// The journal's plan: every record the run will try, in its order, on
// disk before the first rename. False when it cannot be written.
bool WritePlan(const std::string& folderPath, ObjectKind kind, pack::RecordPlaces& places,
               translator::JournalWriter& journal, ListSource& source) {
  ListLines lines(places, kind);
  if (!lines.Open(folderPath) || !lines.FindList()) return false;
  ListEntry entry;
  bool holding = true;
  ListLines::Position lineStart;
  std::size_t heldAtLineStart = 0;
  while (journal.Good()) {
    // A line's records are kept all or none: the rest is read from a line's start.
    if (holding && lines.AtLineStart()) {
      lineStart = lines.Where();
      heldAtLineStart = source.held.Size();
    }
    if (!lines.Next(entry)) break;
    if (entry.record) journal.Plan(entry.name, entry.id);
    if (holding && !source.held.Add(entry)) {
      holding = false;
      source.held.CutTo(heldAtLineStart);
      source.restFrom = lineStart;
    }
  }
  if (!journal.PlanWritten()) return false;
  source.allHeld = holding;
  return true;
}

class Translation {
 public:
  Translation(const TranslateOptions& options, TranslateEvents& events,
              translator::PictureFolder& folder, translator::JournalWriter& journal)
      : options_(options), events_(events), renamer_(folder), journal_(journal) {}

  // Up to "</list>", or to the end of the file when it never comes. False
  // when the run was stopped before (as a test kills it).
  bool ReadRecords(ListLines& lines, ListSource& source) {
    const auto read = [&](Held& held) {
      if (source.held.Next(held)) return true;
      if (source.allHeld) return false;
      if (source.restFrom) {
        lines.SkipTo(*source.restFrom);
        source.restFrom.reset();
      }
      ListEntry entry;
      if (!lines.Next(entry)) return false;
      held.record = entry.record;
      held.name.assign(entry.name);
      held.id.assign(entry.id);
      return true;
    };
    // One record ahead: its place in the folder's index starts loading
    // while the system renames the one before it.
    Held held[2];
    bool more = read(held[0]);
    for (std::size_t i = 0; more && !Stopped(); ++i) {
      Held& next = held[(i + 1) % 2];
      const bool nextRead = read(next);
      if (nextRead && next.record) renamer_.Prefetch(next.name);
      HandleRecord(held[i % 2]);
      more = nextRead;
    }
    return !Stopped();
  }

  void Count(TranslateOutcome& outcome) const {
    outcome.renamed = renamed_;
    outcome.failed = failed_;
  }

 private:
  void HandleRecord(const Held& record) {
    ++records_;
    events_.Progress({JobProgress::Phase::Renaming, records_, 0});
    // Kits have no read format: every line is said to be unreadable.
    if (options_.kind == Kits) events_.NoReadFormat();
    if (!record.record) {
      events_.Unreadable();
      return;
    }
    const std::size_t entry = entries_++;
    const translator::RenameOutcome outcome = renamer_.Rename(record.name, record.id);
    if (!outcome.renamed) {
      ++failed_;
      events_.NotRenamed(record.name, record.id);
      return;
    }
    ++renamed_;
    journal_.Renamed(entry, outcome.oldName, outcome.newName);
    events_.Renamed({record.name, record.id, outcome.extension, outcome.oldName, outcome.newName});
  }

  bool Stopped() const {
    const auto& stop = options_.journal.stopAfterRenamesForTesting;
    return stop && static_cast<std::size_t>(renamed_) >= *stop;
  }

  const TranslateOptions& options_;
  TranslateEvents& events_;
  translator::PictureRenamer renamer_;
  translator::JournalWriter& journal_;
  std::size_t entries_ = 0;  // records tried, as the journal's plan counts them
  std::uint64_t records_ = 0;
  int renamed_ = 0;
  int failed_ = 0;
};

// A journal with the whole plan on disk, or false when there can be none:
// the translate then runs as it would without.
bool StartJournal(const std::string& folderPath, const TranslateOptions& options,
                  pack::RecordPlaces& places, translator::JournalWriter& journal,
                  ListSource& source) {
  const std::optional<std::string> journals = options.journal.folder.empty()
                                                  ? translator::JournalFolder()
                                                  : std::optional(options.journal.folder);
  if (!journals || !journal.Begin(*journals, platform::CanonicalFolder(folderPath))) return false;
  if (WritePlan(folderPath, options.kind, places, journal, source)) return true;
  source = ListSource(0);  // the renames read the list themselves
  return false;
}

}  // namespace

TranslateOutcome TranslateNames(const std::string& folderPath, const TranslateOptions& options,
                                TranslateEvents& events) {
  TranslateOutcome outcome;
  pack::RecordPlaces places(folderPath, options.kind);
  ListLines lines(places, options.kind);
  if (!lines.Open(folderPath)) {
    outcome.result = TranslateOutcome::Result::NotOpened;
    outcome.readResult = lines.OpenResult();
    return outcome;
  }
  if (!lines.FindList()) {
    outcome.result = TranslateOutcome::Result::NoList;
    return outcome;
  }
  translator::JournalWriter journal;
  ListSource source(options.journal.keptBytesForTesting.value_or(HeldEntries::kBudget));
  outcome.journal = options.dryRun || StartJournal(folderPath, options, places, journal, source);
  if (!outcome.journal) events.NoJournal();
  const auto folder = options.dryRun ? translator::MakeSimulatedFolder(folderPath)
                                     : translator::MakeRealFolder(folderPath);
  Translation translation(options, events, *folder, journal);
  const bool whole = translation.ReadRecords(lines, source);
  translation.Count(outcome);
  if (!whole) {
    journal.AbandonForTesting();
    outcome.result = TranslateOutcome::Result::Stopped;
    return outcome;
  }
  journal.End();
  return outcome;
}

}  // namespace mapio
