#include "translator/undo_folder.h"

#include <algorithm>

#include "core/name_index.h"

namespace mapio::translator {

UndoFolder::UndoFolder(const std::string& folderPath) : folderPath_(folderPath) {
  files_.Open(folderPath);
  listed_ = platform::ListFolderNumbered(folderPath, listing_);
  gone_.assign(listing_.Size(), false);
  std::size_t size = 16;
  while (size < 2 * listing_.Size()) size *= 2;
  slots_.assign(size, 0);
  for (std::uint32_t i = 0; i < listing_.Size(); ++i) Insert(i);
}

UndoFolder::Entry UndoFolder::Find(std::string_view name) const {
  if (!listed_) {
    const std::optional<platform::EntryLook> look = platform::LookInFolder(files_, name);
    return look ? Entry{true, look->identity} : Entry{};
  }
  const std::uint32_t index = IndexOf(name);
  if (index == kNone) return {};
  return {true, listing_.IdentityOf(listing_[index].name)};
}

void UndoFolder::Renamed(std::string_view from, std::string_view to) {
  const std::uint32_t index = IndexOf(from);
  if (!listed_ || index == kNone) return;
  gone_[index] = true;
  const platform::DirEntry entry = listing_[index];
  const std::optional<platform::FileIdentity> identity = listing_.IdentityOf(entry.name);
  listing_.Add(to, entry.kind, identity ? identity->file : 0);
  gone_.push_back(false);
  if ((used_ + 1) * 2 > slots_.size()) Grow();
  Insert(static_cast<std::uint32_t>(listing_.Size() - 1));
}

std::uint32_t UndoFolder::IndexOf(std::string_view name) const {
  const std::uint32_t hash = NameIndex::HashOf(name);
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t s = hash & mask; slots_[s] != 0; s = (s + 1) & mask) {
    if (static_cast<std::uint32_t>(slots_[s] >> 32) != hash) continue;
    const auto index = static_cast<std::uint32_t>(slots_[s] - 1);
    if (!gone_[index] && listing_[index].name == name) return index;
  }
  return kNone;
}

void UndoFolder::Insert(std::uint32_t index) {
  const std::uint32_t hash = NameIndex::HashOf(listing_[index].name);
  const std::size_t mask = slots_.size() - 1;
  std::size_t s = hash & mask;
  while (slots_[s] != 0) s = (s + 1) & mask;
  slots_[s] = (Slot{hash} << 32) | (index + 1);
  ++used_;
}

// Names renamed away are left out of the new table.
void UndoFolder::Grow() {
  std::vector<Slot> old(slots_.size() * 2, 0);
  old.swap(slots_);
  used_ = 0;
  for (const Slot slot : old)
    if (slot != 0 && !gone_[static_cast<std::uint32_t>(slot - 1)])
      Insert(static_cast<std::uint32_t>(slot - 1));
}

}  // namespace mapio::translator
