// The folder as undo sees it: each name with its file's identity, from one
// listing, kept up to date with undo's own renames (those a dry run only
// pretends, too). Half a million names cost one listing and a table of
// numbers, not a string each.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/picture_files.h"
#include "platform/files.h"
#include "platform/folders.h"

namespace mapio::translator {

class UndoFolder {
 public:
  // Room for `renames` names more, the names undo renames back to.
  UndoFolder(const std::string& folderPath, std::size_t renames);

  struct Entry {
    bool there = false;
    std::optional<platform::FileIdentity> identity;  // none where numbers do not last
  };
  Entry Find(std::string_view name) const;
  platform::RenameResult Rename(std::string_view from, std::string_view to) {
    return platform::RenameInFolder(files_, folderPath_, from, to);
  }
  // `from`, which is there, is under the name `to` from now on.
  void Renamed(std::string_view from, std::string_view to);

 private:
  // A slot is a name's hash in its high half and its place in the listing
  // plus one in the low half; 0 is free. A name renamed away leaves the
  // table, so that it never fills beyond the folder's first listing.
  using Slot = std::uint64_t;
  // The slot of `name`, or the free slot where the search for it ended.
  std::size_t SlotOf(std::string_view name) const;
  void Insert(std::uint32_t index);
  void Erase(std::size_t slot);

  const std::string& folderPath_;
  platform::FolderFiles files_;
  bool listed_ = false;  // else each name is looked up in the folder itself
  platform::FolderListing listing_;
  std::vector<Slot> slots_;
};

}  // namespace mapio::translator
