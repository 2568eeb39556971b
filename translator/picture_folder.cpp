#include "translator/picture_folder.h"

#include "platform/paths.h"
#include "platform/picture_files.h"
#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "pack/pack_folder.h"
#include "platform/picture_files.h"

namespace mapio::translator {

namespace {

using platform::RenameResult;

class RealFolder : public PictureFolder {
 public:
  explicit RealFolder(std::string folderPath) : folderPath_(std::move(folderPath)) {
    folder_.Open(folderPath_);
  }

  const std::string& Path() const override { return folderPath_; }

  RenameResult Rename(std::string_view from, std::string_view to) override {
    return platform::RenameInFolder(folder_, folderPath_, from, to);
  }

  bool List(platform::FolderListing& names) override {
    return platform::ListFolderNumbered(folderPath_, names);
  }

  std::optional<platform::EntryLook> Look(std::string_view name) override {
    return platform::LookInFolder(folder_, name);
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
    listed_ = platform::ListFolder(folderPath, entries, platform::ListOrder::AsStored);
    for (const platform::DirEntry e : entries) names_.emplace(e.name, e.kind);
    folder_.Open(folderPath);
  }

  const std::string& Path() const override { return folderPath_; }

  RenameResult Rename(std::string_view fromName, std::string_view toName) override {
    const std::string from(fromName);
    const std::string to(toName);
    const std::optional<platform::EntryLook> source = Look(from);
    if (!source) return RenameResult::SourceMissing;
    if (Look(to)) return RenameResult::TargetExists;
    names_.erase(from);
    gone_.insert(from);
    names_.emplace(to, source->kind);
    gone_.erase(to);
    return RenameResult::Renamed;
  }

  bool List(platform::FolderListing& names) override {
    if (!listed_) return false;
    names.Clear();
    for (const auto& [name, kind] : names_) names.Add(name, kind);
    return true;
  }

  std::optional<platform::EntryLook> Look(std::string_view nameView) override {
    const std::string name(nameView);
    if (const auto it = names_.find(name); it != names_.end())
      return platform::EntryLook{it->second, std::nullopt};
    if (listed_ || gone_.contains(name)) return std::nullopt;
    return platform::LookInFolder(folder_, name);
  }

 private:
  std::string folderPath_;
  platform::FolderFiles folder_;
  bool listed_ = false;
  std::unordered_map<std::string, platform::EntryKind> names_;
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
    const Attempt attempt = index != nullptr
                                ? TryExtension(found_[i], outcome)
                                : RenameUnlisted(std::string(from).append(kExtensions[i]), outcome);
    if (attempt == Attempt::Ambiguous) break;
    if (attempt == Attempt::Stopped) {
      outcome.stopped = true;
      break;
    }
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
  // Windows could never hold two of them; guessing might rename the wrong one.
  if (found.exact == CaseIndex::kNone && found.count > 1) return Attempt::Ambiguous;
  const std::size_t slot = found.exact != CaseIndex::kNone ? found.exact : found.any;
  if (!index_->IsFileAt(slot)) {
    log_.PassedOver(index_->NameAt(slot));
    return Attempt::NotHere;
  }
  return RenameFrom(index_->NameAt(slot), slot, index_->IdentityAt(slot), outcome);
}

PictureRenamer::Attempt PictureRenamer::RenameUnlisted(const std::string& source,
                                                       RenameOutcome& outcome) {
  const std::optional<platform::EntryLook> look = folder_.Look(source);
  if (!look) return Attempt::NotHere;
  const platform::DirEntry entry{source, look->kind};
  if (look->kind != platform::EntryKind::File && !entry.IsDirectory() &&
      !pack::LookAtEntry(folder_.Path(), entry, folder_.Path()).isFile) {
    log_.PassedOver(source);
    return Attempt::NotHere;
  }
  return RenameFrom(source, CaseIndex::kNone, look->identity, outcome);
}

PictureRenamer::Attempt PictureRenamer::RenameFrom(
    std::string_view source, std::size_t slot,
    const std::optional<platform::FileIdentity>& identity, RenameOutcome& outcome) {
  if (!log_.Renaming(source, newName_, identity)) return Attempt::Stopped;
  if (folder_.Rename(source, newName_) != RenameResult::Renamed) {
    log_.NotRenamed();
    return Attempt::NotHere;
  }
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
    if (folder_.List(names)) index_.emplace(std::move(names), again, folder_.Path());
  }
  return index_ ? &*index_ : nullptr;
}

}  // namespace mapio::translator
