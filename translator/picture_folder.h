// The folder whose pictures the translate job renames: the real one, or a
// simulation of it for a dry run, and the renaming rules on top of either.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"
#include "platform/folders.h"
#include "platform/picture_files.h"
#include "translator/case_index.h"

namespace mapio::translator {

// Renames by bare file names inside one folder.
class PictureFolder {
 public:
  virtual ~PictureFolder() = default;
  virtual const std::string& Path() const = 0;
  // Never replaces an existing `to`.
  virtual platform::RenameResult Rename(std::string_view from, std::string_view to) = 0;
  // The names of the folder's entries as they are now, in no set order,
  // with their files' numbers; false when the folder cannot be listed (it
  // may still be searched by name).
  virtual bool List(platform::FolderListing& names) = 0;
  // The entry `name` as it is now, where there is no listing; nullopt when
  // there is none.
  virtual std::optional<platform::EntryLook> Look(std::string_view name) = 0;
};

std::unique_ptr<PictureFolder> MakeRealFolder(const std::string& folderPath);
// Lists the folder once and from then on only pretends to rename.
std::unique_ptr<PictureFolder> MakeSimulatedFolder(const std::string& folderPath);

struct RenameOutcome {
  bool renamed = false;
  bool stopped = false;  // RenameLog::Renaming said to stop
  int extension = -1;    // index into kExtensions of the attempt that worked
  std::string oldName;   // the file actually renamed, in its own case
  std::string newName;
};

// What a renamer tells as it goes: each rename before it is made (false
// stops the run there, the rename not made), each that was then not
// made, and each entry passed over for being no file of the pack.
class RenameLog {
 public:
  virtual bool Renaming(std::string_view oldName, std::string_view newName,
                        const std::optional<platform::FileIdentity>& file) = 0;
  virtual void NotRenamed() = 0;
  virtual void PassedOver(std::string_view name) = 0;

 protected:
  ~RenameLog() = default;
};

// One record's rename: ".png", ".jpg", ".gif" in turn; per extension the
// exact name first, then (as Windows would find it) a sole case variant.
// A new name the folder holds in other letters is refused on both paths,
// as Windows would refuse it.
class PictureRenamer {
 public:
  PictureRenamer(PictureFolder& folder, RenameLog& log) : folder_(folder), log_(log) {}
  RenameOutcome Rename(std::string_view from, std::string_view id);
  // Rename(from, ...) comes next: what it looks up starts loading.
  void Prefetch(std::string_view from) {
    if (index_) index_->Prefetch(from);
  }

 private:
  enum class Attempt { Renamed, NotHere, Ambiguous, Stopped };
  Attempt TryExtension(const CaseIndex::Lookup& found, RenameOutcome& outcome);
  // `slot`: where the index has `source`, or CaseIndex::kNone.
  Attempt RenameFrom(std::string_view source, std::size_t slot,
                     const std::optional<platform::FileIdentity>& identity, RenameOutcome& outcome);
  // Without an index: `source` looked at first.
  Attempt RenameUnlisted(const std::string& source, RenameOutcome& outcome);
  // `from` is the stem about to be looked up.
  CaseIndex* Index(std::string_view from);

  PictureFolder& folder_;
  RenameLog& log_;
  std::string newName_;  // the attempt's, kept to spare an allocation each
  CaseIndex::Lookups found_;
  // Built from one listing before the first rename. When the folder cannot
  // be listed there is none: every record still tries its exact names, and
  // nothing is found by case.
  std::optional<CaseIndex> index_;
  bool listed_ = false;
};

}  // namespace mapio::translator
