// The journal of a translate: its whole plan on disk before the first
// rename, then each rename as it is made, so that it can be taken back, a
// run killed half-way included. Journals live in the user's data folder,
// never in a pack, and the last few of each folder are kept.
#pragma once

#include <cstddef>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/user_files.h"

namespace mapio::translator {

// Journals kept per folder: enough for the translates of a working session
// to be taken back one after another, few enough that a pack of half a
// million pictures (some 50 MB a journal) does not fill a disk with them.
inline constexpr std::size_t kJournalsKept = 5;

// Where the journals go: nullopt when the system names no place for them.
std::optional<std::string> JournalFolder();

class JournalWriter {
 public:
  // A new journal for the pack `folder` (an absolute path) in
  // `journalFolder`; false when none can be written, and then every other
  // call does nothing.
  bool Begin(const std::string& journalFolder, const std::string& folder);
  // Each record the translate will try, in order: its from value and ID.
  void Plan(std::string_view from, std::string_view id);
  // The plan on disk, before the first rename; false when it is not.
  bool PlanWritten();
  // A rename made, of the plan's entry `entry`.
  void Renamed(std::size_t entry, std::string_view oldName, std::string_view newName);
  // The run ended: the journal is whole.
  void End();
  // The run stops here as if killed: what was not handed to the system is lost.
  void AbandonForTesting();
  bool Good() const { return file_.Good(); }
  const std::string& Path() const { return path_; }

 private:
  platform::AppendFile file_;
  std::string path_;
  std::string line_;
  std::size_t planned_ = 0;
  std::size_t renamed_ = 0;
  // A write to the system costs a tenth of a rename: this many share one.
  static constexpr std::size_t kRenamesPerFlush = 64;
};

struct Journal {
  struct Entry {
    std::string from;
    std::string id;
  };
  struct Rename {
    std::size_t entry;
    std::string oldName;
    std::string newName;
  };
  std::string path;
  std::string folder;
  std::time_t started = 0;
  bool ended = false;  // false: the run was killed (or is running)
  std::size_t planned = 0;
  std::size_t renamed = 0;
  std::size_t undoneCount = 0;
  // Read only when the journal is read whole.
  std::vector<Entry> plan;
  std::vector<Rename> renames;
  std::vector<std::size_t> undone;  // of `renames`, or plan entries + renames.size()
};

// The journals of `folder` in `journalFolder`, newest first; their counts,
// and their entries too when `whole`.
std::vector<Journal> JournalsOf(const std::string& journalFolder, const std::string& folder,
                                bool whole);

// Reads one journal; false when it cannot be read.
bool ReadJournal(const std::string& path, bool whole, Journal& journal);

// Appends the taking back of `undone` (indices as Journal::undone has them).
bool MarkUndone(const std::string& path, const std::vector<std::size_t>& undone);

}  // namespace mapio::translator
