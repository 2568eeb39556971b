#include "translator/undo.h"

#include <optional>

#include "pack/names.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/picture_files.h"
#include "translator/journal.h"
#include "translator/undo_folder.h"
#include "platform/atomic_writer.h"

namespace mapio::translator {

namespace {

using translator::Journal;
using translator::JournalRename;
using Why = UndoOutcome::Left::Why;

class Undo {
 public:
  Undo(const std::string& folderPath, const UndoOptions& options, const std::string& journalFolder)
      : folderPath_(folderPath), options_(options), journalFolder_(journalFolder) {}

  UndoOutcome Run() {
    // Taken before the journal is looked at: a translate that starts
    // meanwhile waits for nothing and changes nothing.
    platform::FolderJobLock lock;
    if (!options_.dryRun && lock.Take(folderPath_) == platform::FolderJobLock::State::Busy)
      return Ended(UndoOutcome::Result::TranslateRunning);
    const std::vector<Journal> journals =
        translator::JournalsOf(journalFolder_, folderPath_, false);
    if (journals.empty()) return Ended(UndoOutcome::Result::NoJournal);
    journal_ = journals.front();
    if (journal_.notAFile) return Ended(UndoOutcome::Result::JournalNotAFile);
    outcome_.started = journal_.started;
    translator::CountRenames(journalFolder_, journal_);
    translator::UndoFolder folder(folderPath_, journal_.renamed);
    folder_ = &folder;
    if (options_.whileRunningForTesting) options_.whileRunningForTesting();
    // Newest first: a picture renamed twice comes back through both names.
    std::vector<std::uint64_t> undone;
    const bool read =
        translator::ReadRenamesBackward(journalFolder_, journal_, [&](const JournalRename& rename) {
          if (TakeBack(rename)) undone.push_back(rename.at);
          return true;
        });
    if (!read && undone.empty() && outcome_.left.empty())
      return Ended(UndoOutcome::Result::CannotRead);
    if (!options_.dryRun) Record(undone);
    return Ended(UndoOutcome::Result::Undone);
  }

 private:
  // True when the rename is no longer to be taken back: taken back now, or
  // never made (its line was written, and then the run was killed or the
  // rename refused). False when it is left, and said why.
  bool TakeBack(const JournalRename& r) {
    const std::optional<platform::FileIdentity> renamed =
        r.file ? std::optional(platform::FileIdentity{*journal_.device, *r.file}) : std::nullopt;
    const translator::UndoFolder::Entry now = folder_->Find(r.newName);
    if (!now.there || (renamed && now.identity != renamed)) {
      const translator::UndoFolder::Entry old = folder_->Find(r.oldName);
      const bool neverMade = old.there && (!renamed || old.identity == renamed);
      if (neverMade) return true;
      return Leave(r, now.there ? Why::OtherFile : Why::Gone);
    }
    if (!pack::NamesFileInFolder(r.oldName)) return Leave(r, Why::Unsafe);
    if (folder_->Find(r.oldName).there) return Leave(r, Why::NameTaken);
    const platform::RenameResult result =
        options_.dryRun ? platform::RenameResult::Renamed : folder_->Rename(r.newName, r.oldName);
    switch (result) {
      case platform::RenameResult::Renamed:
        folder_->Renamed(r.newName, r.oldName);
        ++outcome_.takenBack;
        return true;
      case platform::RenameResult::TargetExists: return Leave(r, Why::NameTaken);
      case platform::RenameResult::SourceMissing: return Leave(r, Why::Gone);
      case platform::RenameResult::Failed: break;
    }
    return Leave(r, Why::RenameFailed);
  }

  bool Leave(const JournalRename& r, Why why) {
    outcome_.left.push_back({r.newName, r.oldName, why});
    return false;
  }

  // A journal wholly taken back goes; else what was taken back is written
  // down, so that undo again tries only the rest.
  void Record(const std::vector<std::uint64_t>& undone) {
    if (outcome_.left.empty()) {
      outcome_.journalRemoved = translator::RemoveJournal(journalFolder_, journal_);
      return;
    }
    if (!undone.empty()) translator::MarkUndone(journalFolder_, journal_, undone);
  }

  UndoOutcome Ended(UndoOutcome::Result result) {
    outcome_.result = result;
    return std::move(outcome_);
  }

  const std::string& folderPath_;
  const UndoOptions& options_;
  const std::string& journalFolder_;
  Journal journal_;
  translator::UndoFolder* folder_ = nullptr;
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
  return Undo(folderPath, options, *journals).Run();
}

std::vector<TranslateOnRecord> TranslatesOnRecord(const std::string& folderPath,
                                                  const std::string& journalFolder) {
  std::vector<TranslateOnRecord> translates;
  const std::optional<std::string> journals = FolderOfJournals(journalFolder);
  if (!journals) return translates;
  for (const Journal& j : translator::JournalsOf(*journals, folderPath, true))
    if (!j.notAFile) translates.push_back({j.started, j.renamed, j.undone, j.ended});
  return translates;
}

}  // namespace mapio::translator
