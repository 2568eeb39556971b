#include "translator/mapping_translator.h"

#include "pack/list_lines.h"
#include "platform/files.h"
#include "platform/user_files.h"
#include "translator/journal.h"
#include "translator/picture_folder.h"
#include "platform/atomic_writer.h"

namespace mapio::translator {

namespace {

using pack::ListEntry;
using pack::ListLines;

// An entry of the list, kept past the reading of the next.
struct Held {
  bool record = false;
  std::string name;
  std::string id;
};

class Translation : translator::RenameLog {
 public:
  Translation(const TranslateOptions& options, TranslateEvents& events,
              translator::PictureFolder& folder, translator::JournalWriter& journal,
              NameList& passedOver)
      : options_(options),
        events_(events),
        renamer_(folder, *this),
        journal_(journal),
        passedOver_(passedOver) {}

  // Up to "</list>", or to the end of the file when it never comes. False
  // when the run was stopped before (as a test kills it).
  bool ReadRecords(ListLines& lines) {
    const auto read = [&](Held& held) {
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
    for (std::size_t i = 0; more && !stopped_; ++i) {
      Held& next = held[(i + 1) % 2];
      const bool nextRead = read(next);
      if (nextRead && next.record) renamer_.Prefetch(next.name);
      HandleRecord(held[i % 2]);
      more = nextRead;
    }
    return !stopped_;
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
    const translator::RenameOutcome outcome = renamer_.Rename(record.name, record.id);
    if (outcome.stopped) {
      stopped_ = true;
      return;
    }
    if (!outcome.renamed) {
      ++failed_;
      events_.NotRenamed(record.name, record.id);
      return;
    }
    ++renamed_;
    events_.Renamed({record.name, record.id, outcome.extension, outcome.oldName, outcome.newName});
    const JournalOptions& testing = options_.journal;
    if (testing.afterRenameForTesting) testing.afterRenameForTesting(renamed_);
    const auto& stop = testing.stopAfterRenamesForTesting;
    if (stop && static_cast<std::size_t>(renamed_) >= *stop) stopped_ = true;
  }

  bool Renaming(std::string_view oldName, std::string_view newName,
                const std::optional<platform::FileIdentity>& file) override {
    const auto& stop = options_.journal.stopBeforeRenameForTesting;
    journal_.Renaming(oldName, newName, file);
    return !stop || static_cast<std::size_t>(renamed_) < *stop;
  }
  void NotRenamed() override { journal_.NotRenamed(); }
  void PassedOver(std::string_view name) override { passedOver_.Add(name); }

  const TranslateOptions& options_;
  TranslateEvents& events_;
  translator::PictureRenamer renamer_;
  translator::JournalWriter& journal_;
  NameList& passedOver_;
  std::uint64_t records_ = 0;
  int renamed_ = 0;
  int failed_ = 0;
  bool stopped_ = false;
};

// A journal with its start on disk, or false when there can be none: the
// translate then runs as it would without.
bool StartJournal(const std::string& folderPath, const TranslateOptions& options,
                  translator::JournalWriter& journal) {
  const std::optional<std::string> journals = options.journal.folder.empty()
                                                  ? translator::JournalFolder()
                                                  : std::optional(options.journal.folder);
  return journals && journal.Begin(*journals, platform::CanonicalFolder(folderPath));
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
  // A dry run renames nothing, and needs no lock.
  platform::FolderJobLock lock;
  if (!options.dryRun && lock.Take(folderPath) == platform::FolderJobLock::State::Busy) {
    outcome.result = TranslateOutcome::Result::Busy;
    return outcome;
  }
  translator::JournalWriter journal;
  outcome.journal = options.dryRun || StartJournal(folderPath, options, journal);
  if (!outcome.journal) events.NoJournal();
  const auto folder = options.dryRun ? translator::MakeSimulatedFolder(folderPath)
                                     : translator::MakeRealFolder(folderPath);
  Translation translation(options, events, *folder, journal, outcome.passedOver);
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

}  // namespace mapio::translator
