// The folder's pictures by their case-insensitive name, for finding a
// picture whose name differs from its record only in letter case.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/folders.h"

namespace mapio::translator {

inline constexpr std::string_view kExtensions[] = {".png", ".jpg", ".gif"};

// Only names with one of the three extensions (in any case) are kept, by
// their folded stem, so that the three names a record tries share one
// probe. Each slot points at its name in the listing's blocks and holds
// the stem's hash, so that a record costs two loads of cold memory (its
// slot, then the name it compares) and no copy of the names is made; the
// folded stem is compared as it is folded.
class CaseIndex {
 public:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  // `followNewNames`: index the names renamed to from the start; else they
  // are only counted, and MissesNewNames() tells when that matters.
  // `folderPath` is the folder listed, where its links are followed.
  CaseIndex(platform::FolderListing names, bool followNewNames, const std::string& folderPath);

  // What the folder holds for a stem and one of kExtensions, by slot.
  struct Lookup {
    std::size_t count = 0;      // names with the same folded name
    std::size_t exact = kNone;  // the name itself, when there
    std::size_t any = kNone;    // one of them
  };
  using Lookups = std::array<Lookup, std::size(kExtensions)>;
  // What `stem` + each of kExtensions finds.
  void Find(std::string_view stem, Lookups& found);
  // Find(stem) comes soon: its slot starts loading.
  void Prefetch(std::string_view stem);
  // A name Find gave; it stays valid when the name is renamed away.
  std::string_view NameAt(std::size_t slot) const { return {slots_[slot].name, slots_[slot].size}; }
  // Whether that name is a file of the pack: no FIFO, device, or link out
  // of the pack or to nothing (see pack::LookAtEntry).
  bool IsFileAt(std::size_t slot) const { return (slots_[slot].flags & kNoFile) == 0; }
  std::optional<platform::FileIdentity> IdentityAt(std::size_t slot) const {
    return names_.IdentityOf(NameAt(slot));
  }
  // Whether Find(stem) could miss a name the run renamed a file to: only
  // a stem of digits can ask for one. A fresh listing then gives them all.
  bool MissesNewNames(std::string_view stem) const;
  // Whether the folder holds `idName` (digits and one of kExtensions) in
  // other letters, such as 101.PNG for 101.png.
  bool HasOtherCaseOf(std::string_view idName) const;
  // The name at `slot`, which Find gave, was renamed to `to`, an ID name.
  void Renamed(std::size_t slot, const std::string& to);

 private:
  // Its folded stem is its stem with A-Z lowered.
  static constexpr std::uint8_t kAscii = 1;
  // No file of the pack: never renamed.
  static constexpr std::uint8_t kNoFile = 2;
  struct Slot {
    const char* name = nullptr;  // in names_; none for a free slot
    std::uint32_t hash = 0;      // of the folded stem
    std::uint16_t size = 0;
    signed char extension = -1;  // of kExtensions; -1 once renamed away
    std::uint8_t flags = 0;
  };
  static_assert(sizeof(void*) != 8 || sizeof(Slot) == 16);

  // The slot for name `i` of names_, the name folded into key_; false for
  // a name without one of kExtensions.
  bool MakeSlot(std::uint32_t i, Slot& slot);
  void Insert(const Slot& slot);
  // Room for `names` slots, the table at most half full: twice as many
  // slots, not the next power of two, which would take up to four times.
  void Reserve(std::size_t names);
  bool SameStem(const Slot& slot, std::string_view key) const;
  void CountIfIdInOtherCase(std::string_view name, const std::string& key, int delta);
  std::size_t Home(std::uint32_t hash) const {
    return static_cast<std::size_t>((std::uint64_t{hash} * slots_.size()) >> 32);
  }
  std::size_t Next(std::size_t s) const { return s + 1 == slots_.size() ? 0 : s + 1; }

  platform::FolderListing names_;  // the folder's, then those renamed to
  const std::string& folderPath_;
  std::vector<Slot> slots_;
  std::size_t used_ = 0;  // slots that are not free, renamed away ones too
  // Names the run renamed files to are all IDs, which only a record whose
  // from value is digits can ask for: until one does, they are not kept.
  bool followNewNames_;
  std::size_t unfollowedNewNames_ = 0;
  // Folded names of names that are an ID name in other letters; almost
  // always empty, so checking a target costs nothing.
  std::unordered_map<std::string, int> idsInOtherCase_;
  std::string key_;
  std::string prefetchKey_;
};

}  // namespace mapio::translator
