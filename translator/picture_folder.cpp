#include "translator/picture_folder.h"

#include "platform/picture_files.h"
#include "platform/paths.h"

#include <algorithm>
#include <unordered_set>

namespace mapio::translator {

namespace {

using platform::RenameResult;

class RealFolder : public PictureFolder {
 public:
  explicit RealFolder(std::string folderPath) : folderPath_(std::move(folderPath)) {
    folder_.Open(folderPath_);
  }

  RenameResult Rename(std::string_view from, std::string_view to) override {
    return platform::RenameInFolder(folder_, folderPath_, from, to);
  }

  bool List(platform::FolderListing& names) override {
    return platform::ListFolder(folderPath_, names, platform::ListOrder::AsStored);
  }

 private:
  std::string folderPath_;
  platform::FolderFiles folder_;  // renamed in, by names
};

// A folder that cannot be listed is asked name by name, as the real run
// would find them; the pretended renames are kept on top.
class SimulatedFolder : public PictureFolder {
 public:
  explicit SimulatedFolder(const std::string& folderPath) : folderPath_(folderPath) {
    platform::FolderListing entries;
    listed_ = platform::ListFolder(folderPath, entries);
    for (const platform::DirEntry e : entries) names_.emplace(e.name);
  }

  RenameResult Rename(std::string_view fromName, std::string_view toName) override {
    const std::string from(fromName);
    const std::string to(toName);
    if (!Holds(from)) return RenameResult::SourceMissing;
    if (Holds(to)) return RenameResult::TargetExists;
    names_.erase(from);
    gone_.insert(from);
    names_.insert(to);
    gone_.erase(to);
    return RenameResult::Renamed;
  }

  bool List(platform::FolderListing& names) override {
    if (!listed_) return false;
    names.Clear();
    for (const std::string& name : names_) names.Add(name);
    return true;
  }

 private:
  bool Holds(const std::string& name) const {
    if (names_.contains(name)) return true;
    return !listed_ && !gone_.contains(name) &&
           platform::FileExists(platform::JoinPath(folderPath_, name));
  }

  std::string folderPath_;
  bool listed_ = false;
  std::unordered_set<std::string> names_;
  std::unordered_set<std::string> gone_;  // renamed away, when not listed
};

}  // namespace

std::unique_ptr<PictureFolder> MakeRealFolder(const std::string& folderPath) {
  return std::make_unique<RealFolder>(folderPath);
}

std::unique_ptr<PictureFolder> MakeSimulatedFolder(const std::string& folderPath) {
  return std::make_unique<SimulatedFolder>(folderPath);
}

RenameOutcome PictureRenamer::Rename(std::string_view from, std::string_view id) {
  RenameOutcome outcome;
  CaseIndex* index = Index(from);
  if (index != nullptr) index->Find(from, found_);
  for (int i = 0; i < static_cast<int>(std::size(kExtensions)); ++i) {
    if (index != nullptr && found_[i].count == 0) continue;  // no such picture
    newName_.assign(id).append(kExtensions[i]);
    // Without a listing only the exact name is tried.
    const Attempt attempt = index != nullptr ? TryExtension(found_[i], outcome)
                                             : RenameFrom(std::string(from).append(kExtensions[i]),
                                                          CaseIndex::kNone, outcome);
    if (attempt == Attempt::Ambiguous) break;
    if (attempt == Attempt::Renamed) {
      outcome.extension = i;
      break;
    }
  }
  return outcome;
}

// The index knows every exact name (it follows the run's own renames), so
// asking it first costs a picture that is not there no rename, and one in
// another case one rename, while an exact name is still always tried.
// `found` holds one name at least.
PictureRenamer::Attempt PictureRenamer::TryExtension(const CaseIndex::Lookup& found,
                                                     RenameOutcome& outcome) {
  // Windows would refuse a target that exists in another case; on a
  // case-sensitive system only the index can tell.
  if (index_->HasOtherCaseOf(newName_)) return Attempt::NotHere;
  if (found.exact != CaseIndex::kNone)
    return RenameFrom(index_->NameAt(found.exact), found.exact, outcome);
  // Windows could never hold two of them; guessing might rename the wrong one.
  if (found.count > 1) return Attempt::Ambiguous;
  return RenameFrom(index_->NameAt(found.any), found.any, outcome);
}

PictureRenamer::Attempt PictureRenamer::RenameFrom(std::string_view source, std::size_t slot,
                                                   RenameOutcome& outcome) {
  if (folder_.Rename(source, newName_) != RenameResult::Renamed) return Attempt::NotHere;
  outcome.renamed = true;
  outcome.oldName = source;
  outcome.newName = newName_;
  if (slot != CaseIndex::kNone) index_->Renamed(slot, newName_);
  return Attempt::Renamed;
}

CaseIndex* PictureRenamer::Index(std::string_view from) {
  // A second listing holds the names renamed to so far; from then on the
  // index follows each new one. Without it the exact names are still tried.
  const bool again = index_ && index_->MissesNewNames(from);
  if (!listed_ || again) {
    listed_ = true;
    index_.reset();
    platform::FolderListing names;
    if (folder_.List(names)) index_.emplace(std::move(names), again);
  }
  return index_ ? &*index_ : nullptr;
}

}  // namespace mapio::translator
