#include "translator/undo_folder.h"

#include "core/name_index.h"

namespace mapio::translator {

UndoFolder::UndoFolder(const std::string& folderPath, std::size_t renames)
    : folderPath_(folderPath) {
  files_.Open(folderPath);
  listed_ = platform::ListFolderNumbered(folderPath, listing_);
  listing_.Reserve(listing_.Size() + renames);
  // Filled at most three quarters: it never holds more names than the
  // first listing, and at half a million names, slots for half full would
  // take 8 MB more.
  std::size_t size = 16;
  while (size * 3 < listing_.Size() * 4) size *= 2;
  slots_.assign(size, 0);
  for (std::uint32_t i = 0; i < listing_.Size(); ++i) Insert(i);
}

UndoFolder::Entry UndoFolder::Find(std::string_view name) const {
  if (!listed_) {
    const std::optional<platform::EntryLook> look = platform::LookInFolder(files_, name);
    return look ? Entry{true, look->identity} : Entry{};
  }
  const Slot slot = slots_[SlotOf(name)];
  if (slot == 0) return {};
  return {true, listing_.IdentityOf(listing_[static_cast<std::uint32_t>(slot - 1)].name)};
}

void UndoFolder::Renamed(std::string_view from, std::string_view to) {
  const std::size_t at = SlotOf(from);
  if (!listed_ || slots_[at] == 0) return;
  const platform::DirEntry entry = listing_[static_cast<std::uint32_t>(slots_[at] - 1)];
  const std::optional<platform::FileIdentity> identity = listing_.IdentityOf(entry.name);
  Erase(at);
  listing_.Add(to, entry.kind, identity ? identity->file : 0);
  Insert(static_cast<std::uint32_t>(listing_.Size() - 1));
}

std::size_t UndoFolder::SlotOf(std::string_view name) const {
  const std::uint32_t hash = NameIndex::HashOf(name);
  const std::size_t mask = slots_.size() - 1;
  std::size_t s = hash & mask;
  for (; slots_[s] != 0; s = (s + 1) & mask) {
    if (static_cast<std::uint32_t>(slots_[s] >> 32) == hash &&
        listing_[static_cast<std::uint32_t>(slots_[s] - 1)].name == name)
      break;
  }
  return s;
}

void UndoFolder::Insert(std::uint32_t index) {
  const std::uint32_t hash = NameIndex::HashOf(listing_[index].name);
  const std::size_t mask = slots_.size() - 1;
  std::size_t s = hash & mask;
  while (slots_[s] != 0) s = (s + 1) & mask;
  slots_[s] = (Slot{hash} << 32) | (index + 1);
}

// The slots after it that could not sit where they wanted move up, so
// that no search stops short at the hole.
void UndoFolder::Erase(std::size_t hole) {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t s = (hole + 1) & mask; slots_[s] != 0; s = (s + 1) & mask) {
    const std::size_t home = (slots_[s] >> 32) & mask;
    // Whether `home` lies cyclically in (hole, s]: then it stays.
    const bool stays = hole < s ? (home > hole && home <= s) : (home > hole || home <= s);
    if (stays) continue;
    slots_[hole] = slots_[s];
    hole = s;
  }
  slots_[hole] = 0;
}

}  // namespace mapio::translator
