#include "scan/pack_walk.h"

#include <algorithm>
#include <vector>

#include "core/job_questions.h"

namespace mapio::scan {

namespace {

// A folder's subfolders; links to folders are counted, not taken.
void TakeSubfolders(const std::string& path, const platform::FolderListing& entries,
                    std::vector<std::string>& subfolders, WalkCounts& counts) {
  for (const platform::DirEntry entry : entries) {
    if (!entry.IsDirectory()) continue;
    if (platform::IsSymbolicLink(platform::JoinPath(path, entry.name)))
      ++counts.links;
    else
      subfolders.emplace_back(entry.name);
  }
}

}  // namespace

std::string JoinRelative(const std::string& relative, std::string_view name) {
  return relative.empty() ? std::string(name) : platform::JoinPath(relative, name);
}

WalkCounts WalkPacks(const std::string& folder, WalkVisitor& visitor, const WalkOptions& options) {
  WalkCounts counts;
  std::vector<std::string> pending{""};  // the next one last
  std::vector<std::string> subfolders;
  platform::FolderListing listing;
  while (!pending.empty()) {
    const std::string relative = std::move(pending.back());
    pending.pop_back();
    const std::string path = relative.empty() ? folder : platform::JoinPath(folder, relative);
    subfolders.clear();
    if (platform::FileExists(platform::JoinPath(path, kMappingFileName))) {
      ++counts.packs;
      pack::Pack pack = pack::LoadPack(path);
      visitor.Pack(relative, path, pack);
      TakeSubfolders(path, pack.folder->Entries(), subfolders, counts);
    } else if (options.listFolder
                   ? options.listFolder(path, listing)
                   : platform::ListFolder(path, listing, platform::ListOrder::AsStored)) {
      visitor.Folder(relative, path, listing);
      TakeSubfolders(path, listing, subfolders, counts);
    } else {
      ++counts.unreadable;
      visitor.Unreadable(relative);
    }
    std::sort(subfolders.begin(), subfolders.end(), [](const std::string& a, const std::string& b) {
      return platform::CompareNames(a, b) > 0;
    });
    for (const std::string& name : subfolders) pending.push_back(JoinRelative(relative, name));
  }
  return counts;
}

}  // namespace mapio::scan
