// The journal of a translate: each rename written down before it is made,
// with the identity of the file it renames, so that it can be taken back
// exactly, a run killed at any point included. Journals live in the user's
// data folder, never in a pack, and the last few of each folder are kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/folders.h"
#include "platform/user_files.h"

namespace mapio::translator {

// Journals kept per folder: enough for the translates of a working session
// to be taken back one after another, few enough that a pack of half a
// million pictures (some 30 MB a journal) does not fill a disk with them.
inline constexpr std::size_t kJournalsKept = 5;

// Where the journals go: nullopt when the system names no place for them.
std::optional<std::string> JournalFolder();

class JournalWriter {
 public:
  // A new journal for the pack `folder` (an absolute path) in
  // `journalFolder`, its start on disk; false when none can be written,
  // and then every other call does nothing.
  bool Begin(const std::string& journalFolder, const std::string& folder);
  // A rename about to be made, of `file`: in the system's hands before the
  // rename is, so that a kill right after the rename loses nothing.
  void Renaming(std::string_view oldName, std::string_view newName,
                const std::optional<platform::FileIdentity>& file);
  // The rename written last was not made after all.
  void NotRenamed();
  // The run ended: the journal is whole.
  void End();
  // The run stops here as if killed.
  void AbandonForTesting();
  bool Good() const { return file_.Good(); }

 private:
  platform::AppendFile file_;
  std::string line_;
  std::optional<std::uint64_t> device_;  // written once, before the first number
};

struct Journal {
  std::string name;  // in the folder of journals
  std::string folder;
  std::time_t started = 0;
  // The device its renames' file numbers are of; nullopt when it keeps
  // none (the folder's file system makes them up, as FAT does).
  std::optional<std::uint64_t> device;
  // Counted only where asked.
  bool ended = false;  // false: the run was killed (or is running)
  std::size_t renamed = 0;
  std::size_t undone = 0;
  // A link or anything else that is no file: never read nor written.
  bool notAFile = false;
};

// The journals of `folder` in `journalFolder`, newest first; with their
// renames counted where `counted`. One that is no file is among them, as
// it stands, unread.
std::vector<Journal> JournalsOf(const std::string& journalFolder, const std::string& folder,
                                bool counted);

// Counts the journal's renames, those taken back, and whether it ended.
void CountRenames(const std::string& journalFolder, Journal& journal);

// One rename of a journal, as undo takes them back.
struct JournalRename {
  std::uint64_t at = 0;  // where its line starts: what MarkUndone names
  std::string oldName;
  std::string newName;
  std::optional<std::uint64_t> file;  // its file's number, where kept
};

// Each rename of the journal that was made and is not yet taken back,
// newest first; `visit` returns false to stop. False when the journal
// cannot be read.
bool ReadRenamesBackward(const std::string& journalFolder, const Journal& journal,
                         const std::function<bool(const JournalRename&)>& visit);

// Writes down that the renames whose lines start at `undone` were taken back.
bool MarkUndone(const std::string& journalFolder, const Journal& journal,
                const std::vector<std::uint64_t>& undone);

// Removes a journal wholly taken back.
bool RemoveJournal(const std::string& journalFolder, const Journal& journal);

}  // namespace mapio::translator
