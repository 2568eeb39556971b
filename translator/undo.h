// The undo job: a folder's latest translate taken back from its journal,
// without ever replacing a file.
#pragma once

#include <cstddef>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace mapio::translator {

struct UndoOptions {
  // Tell what would be taken back, and rename nothing.
  bool dryRun = false;
  // Where the journals are; empty: the user's data folder.
  std::string journalFolder;
  // Called once the folder's lock is held, before the first rename back:
  // where a test runs another job on the folder meanwhile.
  std::function<void()> whileRunningForTesting;
};

struct UndoOutcome {
  enum class Result {
    Undone,            // the renames that could be were taken back (maybe none)
    NoJournal,         // no translate of this folder is on record
    NoJournalFolder,   // the system names no place for journals
    CannotRead,        // the journal is there but cannot be read
    JournalNotAFile,   // the latest journal is a link or no file: never read nor written
    TranslateRunning,  // the folder's lock is held (by a translate): nothing renamed
  };
  struct Left {
    enum class Why {
      Gone,          // the picture is no longer under its new name
      NameTaken,     // a file has its old name again
      OtherFile,     // the file under the new name is not the one the translate renamed
      Unsafe,        // the old name would be no file of this folder
      RenameFailed,  // the system refused the rename
    };
    std::string newName;
    std::string oldName;
    Why why;
  };
  Result result = Result::NoJournal;
  std::time_t started = 0;  // of the translate
  std::size_t takenBack = 0;
  std::vector<Left> left;
  bool journalRemoved = false;  // everything was taken back
};

// `folderPath` is absolute, as the translate's journal names it.
UndoOutcome UndoTranslate(const std::string& folderPath, const UndoOptions& options = {});

struct TranslateOnRecord {
  std::time_t started = 0;
  std::size_t renamed = 0;  // renames it made
  std::size_t undone = 0;   // of them taken back
  bool finished = false;    // false: it was stopped half-way
};

// The folder's translates on record, newest first.
std::vector<TranslateOnRecord> TranslatesOnRecord(const std::string& folderPath,
                                                  const std::string& journalFolder = {});

}  // namespace mapio::translator
