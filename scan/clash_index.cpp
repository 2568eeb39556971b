#include "scan/clash_index.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "core/record_template.h"
#include "pack/target.h"
#include "platform/platform.h"

namespace mapio::scan {

namespace {

// A key of a text in one of the indexes; else the value itself.
constexpr std::uint64_t kInText = std::uint64_t{1} << 63;

// An ID's key, from the top: the kind (4 bits), the prefix (1), the suffix
// or kit (2), "r-" (1), the number of digits (5) and their value (50 bits,
// enough for 15 digits; leading zeros make another resource, kept by the
// count).
constexpr int kKindShift = 59;
constexpr int kPrefixShift = 58;
constexpr int kSuffixShift = 56;
constexpr int kGeneratedShift = 55;
constexpr int kCountShift = 50;
constexpr std::size_t kMaxIdDigits = 15;
// A name of digits: their number (5 bits) and value (58 bits).
constexpr int kNameCountShift = 58;
constexpr std::size_t kMaxNameDigits = 17;

std::uint64_t Bits(std::uint64_t key, int shift, int width) {
  return (key >> shift) & ((std::uint64_t{1} << width) - 1);
}

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::uint64_t ValueOf(std::string_view digits) {
  std::uint64_t value = 0;
  for (const char c : digits) value = value * 10 + static_cast<std::uint64_t>(c - '0');
  return value;
}

std::string DigitsOf(std::uint64_t value, std::size_t count) {
  std::string digits(count, '0');
  for (std::size_t i = count; i > 0 && value != 0; --i, value /= 10)
    digits[i - 1] = static_cast<char>('0' + value % 10);
  return digits;
}

bool HasUpperCase(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

std::uint32_t PackOf(std::uint64_t place) { return static_cast<std::uint32_t>(place >> 32); }
std::uint32_t LineOf(std::uint64_t place) { return static_cast<std::uint32_t>(place); }

template <typename T>
bool KeyAndPlaceBefore(const T& a, const T& b) {
  return a.key != b.key ? a.key < b.key : a.place < b.place;
}

// Each pack's entries by key and place, sorted on their own where they are
// not in order already (a pack's records mostly come in the order of their
// IDs), then merged pairwise into one list: no entry is ever copied to make
// room for another pack's.
template <typename T>
std::vector<T> MergeRuns(std::vector<std::vector<T>> runs) {
  const auto before = KeyAndPlaceBefore<T>;
  for (std::vector<T>& run : runs)
    if (!std::is_sorted(run.begin(), run.end(), before)) std::sort(run.begin(), run.end(), before);
  while (runs.size() > 1) {
    std::vector<std::vector<T>> merged;
    for (std::size_t i = 0; i + 1 < runs.size(); i += 2) {
      std::vector<T>& both = merged.emplace_back();
      both.reserve(runs[i].size() + runs[i + 1].size());
      std::merge(runs[i].begin(), runs[i].end(), runs[i + 1].begin(), runs[i + 1].end(),
                 std::back_inserter(both), before);
      runs[i] = {};
      runs[i + 1] = {};
    }
    if (runs.size() % 2 != 0) merged.push_back(std::move(runs.back()));
    runs = std::move(merged);
  }
  return runs.empty() ? std::vector<T>() : std::move(runs.front());
}

// The keys of a set of names, looked up by a hash of each: the names of the
// kinds that are not the one most records have, which are few.
class KeySet {
 public:
  explicit KeySet(const std::vector<std::uint64_t>& keys) {
    std::size_t size = 16;
    while (size < keys.size() * 2) size *= 2;
    slots_.assign(size, 0);
    empty_ = keys.empty();
    for (const std::uint64_t key : keys) {
      std::size_t s = Home(key);
      while (slots_[s] != 0 && slots_[s] != key) s = (s + 1) & (slots_.size() - 1);
      slots_[s] = key;
    }
  }
  bool Empty() const { return empty_; }
  bool Contains(std::uint64_t key) const {
    for (std::size_t s = Home(key); slots_[s] != 0; s = (s + 1) & (slots_.size() - 1))
      if (slots_[s] == key) return true;
    return false;
  }

 private:
  // No key is 0: a name has digits, or the top bit set.
  std::size_t Home(std::uint64_t key) const {
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & (slots_.size() - 1);
  }
  std::vector<std::uint64_t> slots_;
  bool empty_ = true;
};

}  // namespace

pack::Target GameTarget(const pack::Record& record, std::string& folded, std::string_view& to) {
  to = record.to;
  // The game finds its resources in any letter case.
  if (!HasUpperCase(to)) return record.target;
  folded.assign(to);
  for (char& c : folded)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  to = folded;
  return pack::MatchTarget(to);
}

std::optional<std::uint64_t> ClashIndex::TargetKey(const pack::Record& record) {
  std::string_view to;
  const pack::Target target = GameTarget(record, folded_, to);
  if (target.form == pack::Target::Form::Unknown) return std::nullopt;
  const std::string_view digits = target.IdIn(to);
  if (target.form == pack::Target::Form::Id && digits.size() <= kMaxIdDigits) {
    const std::uint64_t suffix =
        target.kind == Kits ? static_cast<std::uint64_t>(target.kitKind) : target.style.suffix;
    return std::uint64_t{IndexOf(target.kind)} << kKindShift |
           std::uint64_t{target.style.prefix} << kPrefixShift | suffix << kSuffixShift |
           std::uint64_t{target.style.generatedId} << kGeneratedShift |
           std::uint64_t{digits.size()} << kCountShift | ValueOf(digits);
  }
  bool added = false;
  return kInText | otherTargets_.FindOrAdd(to, added);
}

std::uint64_t ClashIndex::NameKey(std::string_view from) {
  if (from.size() <= kMaxNameDigits && AllDigits(from))
    return std::uint64_t{from.size()} << kNameCountShift | ValueOf(from);
  folded_.clear();
  platform::AppendCaseFoldKey(from, folded_);
  bool added = false;
  return kInText | otherNames_.FindOrAdd(folded_, added);
}

void ClashIndex::AddPack(const pack::PackFile& file) {
  const std::uint32_t pack = packs_++;
  std::vector<TargetEntry>& targets = targetRuns_.emplace_back();
  std::vector<NameEntry>& names = nameRuns_.emplace_back();
  targets.reserve(file.records.size());
  for (const pack::Record& record : file.records) {
    const std::optional<std::uint64_t> target = TargetKey(record);
    if (!target) continue;
    const std::uint64_t place = std::uint64_t{pack} << 32 | record.line;
    targets.push_back({*target, place});
    if (KindOfTarget(*target)) {
      if (names.empty()) names.reserve(file.records.size());
      names.push_back({NameKey(record.from), *target, place});
    }
  }
}

std::optional<ObjectKind> ClashIndex::KindOfTarget(std::uint64_t target) const {
  if ((target & kInText) == 0) return static_cast<ObjectKind>(Bits(target, kKindShift, 4));
  const pack::Target matched =
      pack::MatchTarget(otherTargets_.Name(static_cast<std::uint32_t>(target)));
  if (matched.form != pack::Target::Form::Id) return std::nullopt;
  return matched.kind;
}

std::string ClashIndex::TargetOf(std::uint64_t target, std::string* id) const {
  if ((target & kInText) != 0) {
    std::string text(otherTargets_.Name(static_cast<std::uint32_t>(target)));
    const pack::Target matched = pack::MatchTarget(text);
    if (id && matched.form == pack::Target::Form::Id) *id = matched.IdIn(text);
    return text;
  }
  const auto kind = static_cast<ObjectKind>(Bits(target, kKindShift, 4));
  TargetStyle style;
  style.prefix = static_cast<std::uint8_t>(Bits(target, kPrefixShift, 1));
  const auto suffix = static_cast<std::uint8_t>(Bits(target, kSuffixShift, 2));
  if (kind != Kits) style.suffix = suffix;
  style.generatedId = Bits(target, kGeneratedShift, 1) != 0;
  const std::string digits = DigitsOf(Bits(target, 0, kCountShift), Bits(target, kCountShift, 5));
  if (id) *id = digits;
  return TargetText(kind, style, static_cast<KitKind>(suffix), digits);
}

ClashRecord ClashIndex::RecordOf(std::uint64_t target, std::uint64_t place) const {
  return {PackOf(place), LineOf(place), KindOfTarget(target), TargetOf(target, nullptr)};
}

void ClashIndex::FindResourceClashes(std::vector<Group>& groups) const {
  for (std::size_t begin = 0; begin < targets_.size();) {
    std::size_t end = begin + 1;
    while (end < targets_.size() && targets_[end].key == targets_[begin].key) ++end;
    // By place: the first and the last differ in pack when any two do.
    if (PackOf(targets_[begin].place) != PackOf(targets_[end - 1].place))
      groups.push_back({targets_[begin].place, Clash::Type::Resource,
                        static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(end)});
    begin = end;
  }
}

void ClashIndex::FindNameClashes(std::vector<Group>& groups) {
  // Only a name that a record of another kind has too can clash: those of
  // the kind most records have are looked up among the others', and the
  // rest are never sorted.
  std::array<std::size_t, kObjectKindCount> perKind{};
  for (const auto& run : nameRuns_)
    for (const NameEntry& e : run) ++perKind[IndexOf(*KindOfTarget(e.target))];
  const auto most =
      static_cast<ObjectKind>(std::max_element(perKind.begin(), perKind.end()) - perKind.begin());
  std::vector<std::uint64_t> otherKeys;
  for (const auto& run : nameRuns_)
    for (const NameEntry& e : run)
      if (*KindOfTarget(e.target) != most) otherKeys.push_back(e.key);
  const KeySet others(otherKeys);
  otherKeys = {};
  for (auto& run : nameRuns_) {
    if (!others.Empty())
      for (const NameEntry& e : run)
        if (*KindOfTarget(e.target) != most || others.Contains(e.key)) names_.push_back(e);
    run = {};
  }
  std::sort(names_.begin(), names_.end(), KeyAndPlaceBefore<NameEntry>);
  struct KindPacks {
    std::uint32_t first = 0;
    std::size_t count = 0;  // 2 stands for more
  };
  for (std::size_t begin = 0; begin < names_.size();) {
    std::size_t end = begin + 1;
    while (end < names_.size() && names_[end].key == names_[begin].key) ++end;
    const std::size_t run = end - begin;
    std::array<KindPacks, kObjectKindCount> packs{};
    std::size_t kinds = 0;
    for (std::size_t i = begin; i < end && run > 1; ++i) {
      const ObjectKind kind = *KindOfTarget(names_[i].target);
      KindPacks& p = packs[IndexOf(kind)];
      const std::uint32_t pack = PackOf(names_[i].place);
      if (p.count == 0) {
        p = {pack, 1};
        ++kinds;
      } else if (p.count == 1 && p.first != pack) {
        p.count = 2;
      }
    }
    // The line stands at the first record that another pack maps under
    // another kind.
    for (std::size_t i = begin; i < end && kinds > 1; ++i) {
      const ObjectKind kind = *KindOfTarget(names_[i].target);
      const std::uint32_t pack = PackOf(names_[i].place);
      bool partner = false;
      for (std::size_t k = 0; k < kObjectKindCount && !partner; ++k)
        partner = k != IndexOf(kind) && packs[k].count > 0 &&
                  (packs[k].count > 1 || packs[k].first != pack);
      if (!partner) continue;
      groups.push_back({names_[i].place, Clash::Type::Name, static_cast<std::uint32_t>(i),
                        static_cast<std::uint32_t>(end)});
      break;
    }
    begin = end;
  }
}

void ClashIndex::Make(const Group& group, Clash& clash) const {
  // The clash of the line before is filled anew: its strings' and list's
  // memory serves again, half a million lines long.
  clash.type = group.type;
  std::size_t filled = 0;
  const auto record = [&](std::uint64_t target, std::uint64_t place) -> ClashRecord& {
    if (filled == clash.records.size()) clash.records.emplace_back();
    ClashRecord& r = clash.records[filled++];
    r.pack = PackOf(place);
    r.line = LineOf(place);
    r.kind = KindOfTarget(target);
    return r;
  };
  if (group.type == Clash::Type::Resource) {
    const std::uint64_t key = targets_[group.begin].key;
    clash.key = TargetOf(key, &clash.id);
    for (std::uint32_t i = group.begin; i < group.end; ++i) {
      const std::uint64_t place = targets_[i].place;
      if (i > group.begin && PackOf(place) == PackOf(targets_[i - 1].place)) continue;
      record(key, place).target = clash.key;
    }
    clash.records.resize(filled);
    return;
  }
  const std::uint64_t key = names_[group.begin].key;
  clash.id.clear();
  clash.key = (key & kInText) != 0
                  ? std::string(otherNames_.Name(static_cast<std::uint32_t>(key)))
                  : DigitsOf(Bits(key, 0, kNameCountShift), key >> kNameCountShift);
  const NameEntry& first = names_[group.begin];
  ClashRecord& at = record(first.target, first.place);
  at.target = TargetOf(first.target, nullptr);
  const std::uint32_t atPack = at.pack;
  const std::optional<ObjectKind> atKind = at.kind;
  // Each other pack's first record of each other kind, those before the
  // line's own record too.
  std::uint32_t begin = group.begin;
  while (begin > 0 && names_[begin - 1].key == key) --begin;
  std::vector<std::pair<std::uint32_t, ObjectKind>> named;
  for (std::uint32_t i = begin; i < group.end; ++i) {
    const std::optional<ObjectKind> kind = KindOfTarget(names_[i].target);
    const std::uint32_t pack = PackOf(names_[i].place);
    if (pack == atPack || kind == atKind) continue;
    const std::pair<std::uint32_t, ObjectKind> which{pack, *kind};
    if (std::find(named.begin(), named.end(), which) != named.end()) continue;
    named.push_back(which);
    record(names_[i].target, names_[i].place).target = TargetOf(names_[i].target, nullptr);
  }
  clash.records.resize(filled);
}

void ClashIndex::Clashes(const std::function<void(const Clash&)>& visit) {
  std::vector<Group> resources;
  std::vector<Group> names;
  // Two sorts of a million entries each: one on each core.
  platform::RunTogether([&] { FindNameClashes(names); },
                        [&] {
                          targets_ = MergeRuns(std::move(targetRuns_));
                          FindResourceClashes(resources);
                        });
  resources.insert(resources.end(), names.begin(), names.end());
  names = {};
  std::sort(resources.begin(), resources.end(), [](const Group& a, const Group& b) {
    return a.place != b.place ? a.place < b.place : a.type < b.type;
  });
  Clash clash;
  for (const Group& group : resources) {
    Make(group, clash);
    visit(clash);
  }
}

}  // namespace mapio::scan
