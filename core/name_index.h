// Names looked up by their text, with a number each, for packs of half a
// million pictures: the names sit in one block and the table holds only
// numbers and hashes, where a std::unordered_map of strings makes two
// allocations per name and takes four times the memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mapio {

class NameIndex {
 public:
  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

  // Room for `names` names of `bytes` bytes in all, made at once.
  void Reserve(std::size_t names, std::size_t bytes = 0);
  // Adds `name` (a copy) under the next number, 0, 1, 2, ...; the same
  // name may come more than once, each time under its own number.
  std::uint32_t Add(std::string_view name);
  // The number of the first `name` added; adds it when there is none.
  // `added` tells which.
  std::uint32_t FindOrAdd(std::string_view name, bool& added);
  // The number of the first `name` added, or kNone.
  std::uint32_t Find(std::string_view name) const;
  bool Contains(std::string_view name) const { return Find(name) != kNone; }
  // Starts loading the table's memory for a lookup of `name` soon: a
  // caller going through many names asks a few ahead, so that the waits
  // for memory overlap.
  void Prefetch(std::string_view name) const { Prefetch(HashOf(name), 0); }
  // The same by the name's hash in three steps, each a few names later
  // than the one before, once it has loaded what the next reads: 0 the
  // table's slot, 1 where the first name in the way stands in the text,
  // 2 that name's text. VisitLoadingAhead runs them.
  void Prefetch(std::uint32_t hash, int step) const;
  // The number of the name a lookup of `hash` meets first, where Prefetch
  // has loaded its slot; kNone for none.
  std::uint32_t FirstNumber(std::uint32_t hash) const;
  static std::uint32_t HashOf(std::string_view name);
  // Every number `name` was added under, in the order they were added.
  void FindAll(std::string_view name, std::vector<std::uint32_t>& numbers) const;
  std::string_view Name(std::uint32_t number) const {
    return {text_.data() + starts_[number], starts_[number + 1] - starts_[number]};
  }
  std::size_t Size() const { return starts_.size() - 1; }

 private:
  // A slot holds a name's hash in its high half, so that a probe tells
  // most other names apart without a look at their text, and its number
  // plus one in the low half; 0 is a free slot.
  using Slot = std::uint64_t;
  bool Full() const;
  std::size_t Home(std::uint32_t hash) const { return hash & (slots_.size() - 1); }
  std::size_t Next(std::size_t s) const { return (s + 1) & (slots_.size() - 1); }
  // The slot of the first `name`, or the free slot where the probe ended.
  std::size_t Probe(std::string_view name, std::uint32_t hash) const;
  std::uint32_t Insert(std::string_view name, std::uint32_t hash, std::size_t slot);

  std::string text_;
  std::vector<std::uint32_t> starts_{0};  // name n is text_[starts_[n], starts_[n + 1])
  std::vector<Slot> slots_;
};

// How many items ahead a run of lookups starts loading each one.
inline constexpr std::size_t kLoadAhead = 8;

// Runs visit(i) for i in 0 .. count - 1, having called start(i) kLoadAhead
// items before (it starts the loads of item i and returns the hash of the
// lookup that takes three steps), then load(hash, 1) half way and
// load(hash, 2) two items before: the waits of several items overlap.
template <typename Start, typename Load, typename Visit>
void VisitLoadingAhead(std::size_t count, Start start, Load load, Visit visit) {
  std::uint32_t hashes[kLoadAhead] = {};
  for (std::size_t i = 0; i < count && i < kLoadAhead; ++i) hashes[i] = start(i);
  for (std::size_t i = 0; i < count; ++i) {
    if (i + kLoadAhead / 2 < count) load(hashes[(i + kLoadAhead / 2) % kLoadAhead], 1);
    if (i + 2 < count) load(hashes[(i + 2) % kLoadAhead], 2);
    visit(i);
    if (i + kLoadAhead < count) hashes[i % kLoadAhead] = start(i + kLoadAhead);
  }
}

}  // namespace mapio
