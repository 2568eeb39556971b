#include "translator/picture_folder.h"

#include <algorithm>
#include <unordered_set>

namespace mapio::translator {

namespace {

using platform::RenameResult;

class RealFolder : public PictureFolder {
 public:
  explicit RealFolder(std::string folderPath) : folderPath_(std::move(folderPath)) {}

  RenameResult Rename(const std::string& from, const std::string& to) override {
    return platform::RenameNoReplace(platform::JoinPath(folderPath_, from),
                                     platform::JoinPath(folderPath_, to));
  }

  bool List(platform::FolderListing& names) override {
    return platform::ListFolder(folderPath_, names, platform::ListOrder::AsStored);
  }

 private:
  std::string folderPath_;
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

  RenameResult Rename(const std::string& from, const std::string& to) override {
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
    for (const std::string& name : names_) names.Add(name, false);
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
  for (int i = 0; i < static_cast<int>(std::size(kExtensions)); ++i) {
    const std::string oldName = std::string(from).append(kExtensions[i]);
    const std::string newName = std::string(id).append(kExtensions[i]);
    const Attempt attempt = TryExtension(oldName, newName, outcome);
    if (attempt == Attempt::Ambiguous) break;
    if (attempt == Attempt::Renamed) {
      outcome.extension = i;
      break;
    }
  }
  return outcome;
}

// Without a listing only the exact name is tried. With one, the index
// knows every exact name (it follows the run's own renames), so asking it
// first costs a picture that is not there no rename, and one in another
// case one rename, while an exact name is still always tried.
PictureRenamer::Attempt PictureRenamer::TryExtension(const std::string& oldName,
                                                     const std::string& newName,
                                                     RenameOutcome& outcome) {
  CaseIndex* index = Index(oldName);
  if (index == nullptr) return RenameFrom(oldName, newName, outcome);
  // Windows would refuse a target that exists in another case; on a
  // case-sensitive system only the index can tell.
  if (index->HasOtherCaseOf(newName)) return Attempt::NotHere;
  const CaseIndex::Lookup found = index->Find(oldName);
  if (found.exact) return RenameFrom(oldName, newName, outcome);
  if (found.count == 0) return Attempt::NotHere;
  // Windows could never hold two of them; guessing might rename the wrong one.
  if (found.count > 1) return Attempt::Ambiguous;
  return RenameFrom(std::string(found.any), newName, outcome);
}

PictureRenamer::Attempt PictureRenamer::RenameFrom(std::string source, const std::string& newName,
                                                   RenameOutcome& outcome) {
  if (folder_.Rename(source, newName) != RenameResult::Renamed) return Attempt::NotHere;
  Apply(source, newName, outcome);
  return Attempt::Renamed;
}

void PictureRenamer::Apply(const std::string& oldName, const std::string& newName,
                           RenameOutcome& outcome) {
  if (index_) index_->Renamed(oldName, newName);
  outcome.renamed = true;
  outcome.oldName = oldName;
  outcome.newName = newName;
}

CaseIndex* PictureRenamer::Index(const std::string& oldName) {
  // A second listing holds the names renamed to so far; from then on the
  // index follows each new one. Without it the exact names are still tried.
  const bool again = index_ && index_->MissesNewNames(oldName);
  if (!listed_ || again) {
    listed_ = true;
    index_.reset();
    platform::FolderListing names;
    if (folder_.List(names)) index_.emplace(std::move(names), again);
  }
  return index_ ? &*index_ : nullptr;
}

}  // namespace mapio::translator
