#include "translator/case_index.h"

#include <algorithm>
#include <cstring>

#include "core/name_index.h"
#include "pack/pack_folder.h"
#include "platform/text.h"

namespace mapio::translator {

namespace {

constexpr std::size_t kExtensionLength = 4;
// How many names ahead the index starts loading a name's slot.
constexpr std::size_t kLoadAhead = 8;

// Which of kExtensions the folded name ends in, or -1.
int ExtensionOf(std::string_view key) {
  if (key.size() < kExtensionLength) return -1;
  const std::string_view tail = key.substr(key.size() - kExtensionLength);
  for (int i = 0; i < static_cast<int>(std::size(kExtensions)); ++i) {
    if (tail == kExtensions[i]) return i;
  }
  return -1;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits and a dot, as an ID name and any in other letters begin: folding
// changes neither.
bool StartsAsIdName(std::string_view name) {
  const std::size_t digits = std::find_if_not(name.begin(), name.end(), IsDigit) - name.begin();
  return digits > 0 && digits < name.size() && name[digits] == '.';
}

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit);
}

bool IsAscii(std::string_view text) {
  unsigned char seen = 0;
  for (const char c : text) seen |= static_cast<unsigned char>(c);
  return seen < 0x80;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

}  // namespace

CaseIndex::CaseIndex(platform::FolderListing names, bool followNewNames,
                     const std::string& folderPath)
    : names_(std::move(names)), folderPath_(folderPath), followNewNames_(followNewNames) {
  Reserve(names_.Size());
  // Each slot is written a few names after its memory was asked for, so
  // that the waits for the table overlap.
  Slot ahead[kLoadAhead];
  std::size_t made = 0;
  for (std::uint32_t i = 0; i < names_.Size(); ++i) {
    Slot slot;
    const bool kept = MakeSlot(i, slot);
    CountIfIdInOtherCase(names_[i].name, key_, +1);
    if (!kept) continue;
    __builtin_prefetch(&slots_[Home(slot.hash)]);
    Slot& place = ahead[made++ % kLoadAhead];
    if (made > kLoadAhead) Insert(place);
    place = slot;
  }
  for (std::size_t k = made > kLoadAhead ? made - kLoadAhead : 0; k < made; ++k)
    Insert(ahead[k % kLoadAhead]);
}

bool CaseIndex::MakeSlot(std::uint32_t i, Slot& slot) {
  const platform::DirEntry entry = names_[i];
  const std::string_view name = entry.name;
  key_.clear();
  platform::AppendCaseFoldKey(name, key_);
  const int extension = ExtensionOf(key_);
  if (extension < 0 || name.size() > UINT16_MAX) return false;
  const std::string_view stem(key_.data(), key_.size() - kExtensionLength);
  // A folder keeps its name as it always did; a FIFO or a link out of the
  // pack is found, so that it is named, but never renamed.
  const bool noFile = entry.kind != platform::EntryKind::File && !entry.IsDirectory() &&
                      !pack::LookAtEntry(folderPath_, entry, folderPath_).isFile;
  slot = {name.data(), NameIndex::HashOf(stem), static_cast<std::uint16_t>(name.size()),
          static_cast<signed char>(extension),
          static_cast<std::uint8_t>((IsAscii(name) ? kAscii : 0) | (noFile ? kNoFile : 0))};
  return true;
}

void CaseIndex::Insert(const Slot& slot) {
  if ((used_ + 1) * 2 > slots_.size()) Reserve(std::max(names_.Size() + 1, slots_.size()));
  std::size_t s = Home(slot.hash);
  while (slots_[s].name != nullptr) s = Next(s);
  slots_[s] = slot;
  ++used_;
}

// Renamed-away slots are left out when the table is made anew.
void CaseIndex::Reserve(std::size_t names) {
  const std::size_t size = std::max<std::size_t>(16, 2 * names);
  if (size <= slots_.size()) return;
  std::vector<Slot> old(size);
  old.swap(slots_);
  used_ = 0;
  for (const Slot& slot : old) {
    if (slot.name != nullptr && slot.extension >= 0) Insert(slot);
  }
}

bool CaseIndex::SameStem(const Slot& slot, std::string_view key) const {
  const std::string_view name(slot.name, slot.size);
  if ((slot.flags & kAscii) == 0) {
    const std::string folded = platform::CaseFoldKey(name);
    return std::string_view(folded).substr(0, folded.size() - kExtensionLength) == key;
  }
  if (name.size() - kExtensionLength != key.size()) return false;
  // No early exit: the loop becomes vector code.
  unsigned char differ = 0;
  for (std::size_t i = 0; i < key.size(); ++i) differ |= AsciiLower(name[i]) ^ key[i];
  return differ == 0;
}

void CaseIndex::Find(std::string_view stem, Lookups& found) {
  found = {};
  key_.clear();
  platform::AppendCaseFoldKey(stem, key_);
  const std::uint32_t hash = NameIndex::HashOf(key_);
  for (std::size_t s = Home(hash); slots_[s].name != nullptr; s = Next(s)) {
    const Slot& slot = slots_[s];
    if (slot.hash != hash || slot.extension < 0) continue;
    const std::string_view extension = kExtensions[slot.extension];
    const bool exact =
        slot.size == stem.size() + extension.size() &&
        std::memcmp(slot.name, stem.data(), stem.size()) == 0 &&
        std::memcmp(slot.name + stem.size(), extension.data(), extension.size()) == 0;
    if (!exact && !SameStem(slot, key_)) continue;
    Lookup& lookup = found[slot.extension];
    ++lookup.count;
    lookup.any = s;
    if (exact) lookup.exact = s;
  }
}

void CaseIndex::Prefetch(std::string_view stem) {
  prefetchKey_.clear();
  platform::AppendCaseFoldKey(stem, prefetchKey_);
  __builtin_prefetch(&slots_[Home(NameIndex::HashOf(prefetchKey_))]);
}

bool CaseIndex::MissesNewNames(std::string_view stem) const {
  return unfollowedNewNames_ > 0 && AllDigits(stem);
}

bool CaseIndex::HasOtherCaseOf(std::string_view idName) const {
  return !idsInOtherCase_.empty() && idsInOtherCase_.contains(platform::CaseFoldKey(idName));
}

void CaseIndex::Renamed(std::size_t slot, const std::string& to) {
  const std::string_view from = NameAt(slot);
  if (StartsAsIdName(from)) {
    key_.clear();
    platform::AppendCaseFoldKey(from, key_);
    CountIfIdInOtherCase(from, key_, -1);
  }
  slots_[slot].extension = -1;
  if (!followNewNames_) {
    ++unfollowedNewNames_;
    return;
  }
  // The same file under its new name, with its number.
  const std::optional<platform::FileIdentity> identity = names_.IdentityOf(from);
  names_.Add(to, platform::EntryKind::File, identity ? identity->file : 0);
  Slot added;
  if (MakeSlot(static_cast<std::uint32_t>(names_.Size() - 1), added)) Insert(added);
}

// An ID name is digits, a dot and an extension; only a name with the same
// digits folds onto one.
void CaseIndex::CountIfIdInOtherCase(std::string_view name, const std::string& key, int delta) {
  std::size_t digits = 0;
  while (digits < key.size() && IsDigit(key[digits])) ++digits;
  if (digits == 0 || digits == key.size() || key[digits] != '.' || name == key) return;
  const auto it = idsInOtherCase_.find(key);
  if (delta < 0 && it == idsInOtherCase_.end()) return;
  if ((idsInOtherCase_[key] += delta) == 0) idsInOtherCase_.erase(key);
}

}  // namespace mapio::translator
