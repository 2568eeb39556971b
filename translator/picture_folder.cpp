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

  std::vector<std::string> Names() override {
    std::vector<platform::DirEntry> entries;
    platform::ListFolder(folderPath_, entries);
    std::vector<std::string> names;
    names.reserve(entries.size());
    for (auto& e : entries) names.push_back(std::move(e.name));
    return names;
  }

 private:
  std::string folderPath_;
};

class SimulatedFolder : public PictureFolder {
 public:
  explicit SimulatedFolder(const std::string& folderPath) {
    std::vector<platform::DirEntry> entries;
    platform::ListFolder(folderPath, entries);
    for (auto& e : entries) names_.insert(std::move(e.name));
  }

  RenameResult Rename(const std::string& from, const std::string& to) override {
    if (!names_.contains(from)) return RenameResult::SourceMissing;
    if (names_.contains(to)) return RenameResult::TargetExists;
    names_.erase(from);
    names_.insert(to);
    return RenameResult::Renamed;
  }

  std::vector<std::string> Names() override { return {names_.begin(), names_.end()}; }

 private:
  std::unordered_set<std::string> names_;
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

PictureRenamer::Attempt PictureRenamer::TryExtension(const std::string& oldName,
                                                     const std::string& newName,
                                                     RenameOutcome& outcome) {
  if (!index_) {
    const RenameResult result = folder_.Rename(oldName, newName);
    if (result == RenameResult::Renamed) {
      Apply(oldName, newName, outcome);
      return Attempt::Renamed;
    }
    if (result != RenameResult::SourceMissing) return Attempt::NotHere;
  }
  return RenameByIndex(oldName, newName, outcome);
}

// Once the index exists it knows the real names, so a picture that is not
// there costs no rename, and one in another case costs one.
PictureRenamer::Attempt PictureRenamer::RenameByIndex(const std::string& oldName,
                                                      const std::string& newName,
                                                      RenameOutcome& outcome) {
  const CaseIndex::Lookup found = Index().Find(oldName);
  if (found.count == 0) return Attempt::NotHere;
  // Windows could never hold two of them; guessing might rename the wrong one.
  if (!found.exact && found.count > 1) return Attempt::Ambiguous;
  // Windows would refuse a target that exists in another case; on a
  // case-sensitive system only the index can tell.
  if (index_->HasOtherCaseOf(newName)) return Attempt::NotHere;
  const std::string source = found.exact ? oldName : *found.any;  // the index changes below
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

CaseIndex& PictureRenamer::Index() {
  if (!index_) index_.emplace(folder_.Names());
  return *index_;
}

}  // namespace mapio::translator
