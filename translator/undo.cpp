#include "translator/undo.h"

#include <algorithm>
#include <deque>
#include <optional>
#include <unordered_set>

#include "pack/names.h"
#include "platform/picture_files.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "translator/journal.h"

namespace mapio {

namespace {

using translator::Journal;

// One rename to take back: `newName` to `oldName`, with its place among
// Journal::undone.
struct Step {
  std::string_view newName;
  std::string_view oldName;
  std::size_t index;
};

class Undo {
 public:
  Undo(const std::string& folderPath, const UndoOptions& options)
      : folderPath_(folderPath), options_(options) {}

  UndoOutcome Run(const std::string& journalFolder) {
    const std::vector<Journal> journals = translator::JournalsOf(journalFolder, folderPath_, false);
    if (journals.empty()) return Ended(UndoOutcome::Result::NoJournal);
    if (!translator::ReadJournal(journals.front().path, true, journal_))
      return Ended(UndoOutcome::Result::CannotRead);
    outcome_.started = journal_.started;
    platform::ListFolder(folderPath_, listing_, platform::ListOrder::AsStored);
    folder_.Open(folderPath_);
    for (const platform::DirEntry e : listing_) names_.insert(e.name);
    Plan();
    // Newest first: a picture renamed twice comes back through both names.
    std::vector<std::size_t> undone;
    for (auto it = steps_.rbegin(); it != steps_.rend(); ++it)
      if (TakeBack(*it)) undone.push_back(it->index);
    if (!options_.dryRun) Record(undone);
    return Ended(UndoOutcome::Result::Undone);
  }

 private:
  // The journal's renames not yet taken back; after a run that was stopped,
  // also the renames its plan made where the folder shows them made (the
  // last of them may not have reached the journal).
  void Plan() {
    const std::unordered_set<std::size_t> done(journal_.undone.begin(), journal_.undone.end());
    std::size_t lastLogged = 0;
    for (std::size_t k = 0; k < journal_.renames.size(); ++k) {
      const Journal::Rename& r = journal_.renames[k];
      lastLogged = std::max(lastLogged, r.entry + 1);
      if (!done.contains(k)) steps_.push_back({r.newName, r.oldName, k});
    }
    if (journal_.ended) return;
    for (std::size_t e = lastLogged; e < journal_.plan.size(); ++e) {
      const std::size_t index = journal_.renames.size() + e;
      if (done.contains(index)) continue;
      const Journal::Entry& entry = journal_.plan[e];
      for (const std::string_view extension : pack::kPictureExtensions) {
        std::string& newName = made_.emplace_back(entry.id + std::string(extension));
        std::string& oldName = made_.emplace_back(entry.from + std::string(extension));
        if (names_.contains(newName) && !names_.contains(oldName)) {
          steps_.push_back({newName, oldName, index});
          break;
        }
      }
    }
  }

  bool TakeBack(const Step& step) {
    using Why = UndoOutcome::Left::Why;
    Why why = Why::Gone;
    if (!names_.contains(step.newName)) {
      why = Why::Gone;
    } else if (names_.contains(step.oldName) || !pack::NamesFileInFolder(step.oldName)) {
      why = Why::NameTaken;
    } else {
      const platform::RenameResult result =
          options_.dryRun
              ? platform::RenameResult::Renamed
              : platform::RenameInFolder(folder_, folderPath_, step.newName, step.oldName);
      if (result == platform::RenameResult::Renamed) {
        names_.erase(step.newName);
        names_.insert(step.oldName);
        ++outcome_.takenBack;
        return true;
      }
      why = result == platform::RenameResult::TargetExists    ? Why::NameTaken
            : result == platform::RenameResult::SourceMissing ? Why::Gone
                                                              : Why::RenameFailed;
    }
    outcome_.left.push_back({std::string(step.newName), std::string(step.oldName), why});
    return false;
  }

  // A journal wholly taken back goes; else what was taken back is written
  // down, so that undo again tries only the rest.
  void Record(const std::vector<std::size_t>& undone) {
    if (outcome_.left.empty()) {
      outcome_.journalRemoved = platform::RemoveFile(journal_.path);
      return;
    }
    if (!undone.empty()) translator::MarkUndone(journal_.path, undone);
  }

  UndoOutcome Ended(UndoOutcome::Result result) {
    outcome_.result = result;
    return std::move(outcome_);
  }

  const std::string& folderPath_;
  const UndoOptions& options_;
  Journal journal_;
  platform::FolderListing listing_;
  platform::FolderFiles folder_;  // renamed in, by names
  std::unordered_set<std::string_view> names_;
  std::deque<std::string> made_;  // names the plan made up, where names_ may point
  std::vector<Step> steps_;
  UndoOutcome outcome_;
};

std::optional<std::string> FolderOfJournals(const std::string& given) {
  if (!given.empty()) return given;
  return translator::JournalFolder();
}

}  // namespace

UndoOutcome UndoTranslate(const std::string& folderPath, const UndoOptions& options) {
  const std::optional<std::string> journals = FolderOfJournals(options.journalFolder);
  if (!journals) {
    UndoOutcome outcome;
    outcome.result = UndoOutcome::Result::NoJournalFolder;
    return outcome;
  }
  return Undo(folderPath, options).Run(*journals);
}

std::vector<TranslateOnRecord> TranslatesOnRecord(const std::string& folderPath,
                                                  const std::string& journalFolder) {
  std::vector<TranslateOnRecord> translates;
  const std::optional<std::string> journals = FolderOfJournals(journalFolder);
  if (!journals) return translates;
  for (const Journal& j : translator::JournalsOf(*journals, folderPath, false))
    translates.push_back({j.started, j.renamed, j.undoneCount, j.ended});
  return translates;
}

}  // namespace mapio
