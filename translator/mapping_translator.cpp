#include "translator/mapping_translator.h"

#include "pack/list_lines.h"
#include "platform/platform.h"
#include "platform/user_files.h"
#include "translator/journal.h"
#include "translator/picture_folder.h"

namespace mapio {

namespace {

using pack::ListEntry;
using pack::ListLines;

// The journal's plan: every record the run will try, in its order, on
// disk before the first rename. False when it cannot be written.
bool WritePlan(const std::string& folderPath, ObjectKind kind, pack::RecordPlaces& places,
               translator::JournalWriter& journal) {
  ListLines lines(places, kind);
  if (!lines.Open(folderPath) || !lines.FindList()) return false;
  ListEntry entry;
  while (journal.Good() && lines.Next(entry))
    if (entry.record) journal.Plan(entry.name, entry.id);
  return journal.PlanWritten();
}

class Translation {
 public:
  Translation(const TranslateOptions& options, const TranslateEvents& events,
              translator::PictureFolder& folder, translator::JournalWriter& journal)
      : options_(options), events_(events), renamer_(folder), journal_(journal) {}

  // Up to "</list>", or to the end of the file when it never comes. False
  // when the run was stopped before (as a test kills it).
  bool ReadRecords(ListLines& lines) {
    ListEntry entry;
    while (!Stopped() && lines.Next(entry)) HandleRecord(entry);
    return !Stopped();
  }

  void Count(TranslateOutcome& outcome) const {
    outcome.renamed = renamed_;
    outcome.failed = failed_;
  }

 private:
  void HandleRecord(const ListEntry& record) {
    ++records_;
    if (events_.progress) events_.progress({JobProgress::Phase::Renaming, records_, 0});
    // Kits have no read format: every line is said to be unreadable.
    if (options_.kind == Kits && events_.noReadFormat) events_.noReadFormat();
    if (!record.record) {
      if (events_.unreadable) events_.unreadable();
      return;
    }
    from_.assign(record.name);
    id_.assign(record.id);
    const std::size_t entry = entries_++;
    const translator::RenameOutcome outcome = renamer_.Rename(from_, id_);
    if (!outcome.renamed) {
      ++failed_;
      if (events_.notRenamed) events_.notRenamed(from_, id_);
      return;
    }
    ++renamed_;
    journal_.Renamed(entry, outcome.oldName, outcome.newName);
    if (events_.renamed)
      events_.renamed({from_, id_, outcome.extension, outcome.oldName, outcome.newName});
  }

  bool Stopped() const {
    const auto& stop = options_.journal.stopAfterRenamesForTesting;
    return stop && static_cast<std::size_t>(renamed_) >= *stop;
  }

  const TranslateOptions& options_;
  const TranslateEvents& events_;
  translator::PictureRenamer renamer_;
  translator::JournalWriter& journal_;
  std::string from_;  // the record's, as the events take them
  std::string id_;
  std::size_t entries_ = 0;  // records tried, as the journal's plan counts them
  std::uint64_t records_ = 0;
  int renamed_ = 0;
  int failed_ = 0;
};

// A journal with the whole plan on disk, or false when there can be none:
// the translate then runs as it would without.
bool StartJournal(const std::string& folderPath, const TranslateOptions& options,
                  pack::RecordPlaces& places, translator::JournalWriter& journal) {
  const std::optional<std::string> journals = options.journal.folder.empty()
                                                  ? translator::JournalFolder()
                                                  : std::optional(options.journal.folder);
  return journals && journal.Begin(*journals, platform::CanonicalFolder(folderPath)) &&
         WritePlan(folderPath, options.kind, places, journal);
}

}  // namespace

TranslateOutcome TranslateNames(const std::string& folderPath, const TranslateOptions& options,
                                const TranslateEvents& events) {
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
  outcome.journal = options.dryRun || StartJournal(folderPath, options, places, journal);
  if (!outcome.journal && events.noJournal) events.noJournal();
  const auto folder = options.dryRun ? translator::MakeSimulatedFolder(folderPath)
                                     : translator::MakeRealFolder(folderPath);
  Translation translation(options, events, *folder, journal);
  const bool whole = translation.ReadRecords(lines);
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
