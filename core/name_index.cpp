#include "core/name_index.h"

#include <functional>

namespace mapio {

std::uint32_t NameIndex::HashOf(std::string_view name) {
  const std::uint64_t h = std::hash<std::string_view>{}(name);  // 32 bits on a 32-bit build
  return static_cast<std::uint32_t>(h ^ (h >> 32));
}

namespace {

std::uint32_t HashIn(std::uint64_t slot) { return static_cast<std::uint32_t>(slot >> 32); }
std::uint32_t NumberIn(std::uint64_t slot) { return static_cast<std::uint32_t>(slot) - 1; }

}  // namespace

// Kept at most three quarters full: a probe still seldom walks far, and
// the table takes 11 to 21 bytes a name. Numbers go in in rising order and
// probes walk forward, so the first match of a probe is the name added
// first, before and after a rehash.
void NameIndex::Reserve(std::size_t names, std::size_t bytes) {
  starts_.reserve(names + 1);
  text_.reserve(bytes);
  std::size_t size = 16;
  while (size * 3 < names * 4) size *= 2;
  if (size <= slots_.size()) return;
  std::vector<Slot> old(size, 0);
  old.swap(slots_);
  std::vector<Slot> byNumber(Size());
  for (const Slot slot : old)
    if (slot != 0) byNumber[NumberIn(slot)] = slot;
  for (const Slot slot : byNumber) {
    std::size_t s = Home(HashIn(slot));
    while (slots_[s] != 0) s = Next(s);
    slots_[s] = slot;
  }
}

std::size_t NameIndex::Probe(std::string_view name, std::uint32_t hash) const {
  std::size_t s = Home(hash);
  for (; slots_[s] != 0; s = Next(s))
    if (HashIn(slots_[s]) == hash && Name(NumberIn(slots_[s])) == name) return s;
  return s;
}

std::uint32_t NameIndex::Insert(std::string_view name, std::uint32_t hash, std::size_t slot) {
  const auto number = static_cast<std::uint32_t>(Size());
  text_.append(name);
  starts_.push_back(static_cast<std::uint32_t>(text_.size()));
  slots_[slot] = (static_cast<Slot>(hash) << 32) | (number + 1);
  return number;
}

bool NameIndex::Full() const { return (Size() + 1) * 4 > slots_.size() * 3; }

std::uint32_t NameIndex::Add(std::string_view name) {
  if (Full()) Reserve(Size() * 2 + 8);
  const std::uint32_t hash = HashOf(name);
  std::size_t s = Home(hash);
  while (slots_[s] != 0) s = Next(s);
  return Insert(name, hash, s);
}

std::uint32_t NameIndex::FindOrAdd(std::string_view name, bool& added) {
  if (Full()) Reserve(Size() * 2 + 8);
  const std::uint32_t hash = HashOf(name);
  std::size_t s = Probe(name, hash);
  added = slots_[s] == 0;
  return added ? Insert(name, hash, s) : NumberIn(slots_[s]);
}

void NameIndex::Prefetch(std::uint32_t hash, int step) const {
  if (step == 0) {
    if (!slots_.empty()) __builtin_prefetch(&slots_[Home(hash)]);
    return;
  }
  const std::uint32_t n = FirstNumber(hash);
  if (n == kNone) return;
  if (step == 1)
    __builtin_prefetch(&starts_[n]);
  else
    __builtin_prefetch(text_.data() + starts_[n]);
}

std::uint32_t NameIndex::FirstNumber(std::uint32_t hash) const {
  if (slots_.empty()) return kNone;
  const Slot slot = slots_[Home(hash)];
  return slot != 0 && HashIn(slot) == hash ? NumberIn(slot) : kNone;
}

std::uint32_t NameIndex::Find(std::string_view name) const {
  if (slots_.empty()) return kNone;
  const std::uint32_t hash = HashOf(name);
  const std::size_t s = Probe(name, hash);
  return slots_[s] == 0 ? kNone : NumberIn(slots_[s]);
}

void NameIndex::FindAll(std::string_view name, std::vector<std::uint32_t>& found) const {
  found.clear();
  if (slots_.empty()) return;
  const std::uint32_t hash = HashOf(name);
  for (std::size_t s = Home(hash); slots_[s] != 0; s = Next(s))
    if (HashIn(slots_[s]) == hash && Name(NumberIn(slots_[s])) == name)
      found.push_back(NumberIn(slots_[s]));
}

}  // namespace mapio
