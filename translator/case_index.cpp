#include "translator/case_index.h"

#include <algorithm>

#include "platform/platform.h"

namespace mapio::translator {

namespace {

constexpr std::size_t kExtensionLength = 4;

// Which of kExtensions the folded name ends in, or -1.
int ExtensionOf(std::string_view key) {
  if (key.size() < kExtensionLength) return -1;
  const std::string_view tail = key.substr(key.size() - kExtensionLength);
  for (int i = 0; i < static_cast<int>(std::size(kExtensions)); ++i) {
    if (tail == kExtensions[i]) return i;
  }
  return -1;
}

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

CaseIndex::CaseIndex(const std::vector<std::string>& names) {
  byStem_.reserve(names.size());
  for (const auto& name : names) {
    std::string key = platform::CaseFoldKey(name);
    CountIfIdInOtherCase(name, key, +1);
    Add(std::move(key), name);
  }
}

void CaseIndex::Add(std::string key, std::string name) {
  const int extension = ExtensionOf(key);
  if (extension < 0) return;
  key.resize(key.size() - kExtensionLength);
  byStem_.emplace(std::move(key), Entry{std::move(name), extension});
}

CaseIndex::Lookup CaseIndex::Find(std::string_view name) {
  Lookup lookup;
  std::string key = platform::CaseFoldKey(name);
  const int extension = ExtensionOf(key);
  if (extension < 0) return lookup;
  key.resize(key.size() - kExtensionLength);
  if (AllDigits(key)) IndexNewIdNames();
  const auto [first, last] = byStem_.equal_range(key);
  for (auto it = first; it != last; ++it) {
    if (it->second.extension != extension) continue;
    ++lookup.count;
    lookup.exact = lookup.exact || it->second.name == name;
    lookup.any = &it->second.name;
  }
  return lookup;
}

bool CaseIndex::HasOtherCaseOf(std::string_view idName) const {
  return !idsInOtherCase_.empty() && idsInOtherCase_.contains(platform::CaseFoldKey(idName));
}

void CaseIndex::Renamed(const std::string& from, const std::string& to) {
  std::string key = platform::CaseFoldKey(from);
  CountIfIdInOtherCase(from, key, -1);
  if (ExtensionOf(key) >= 0) {
    key.resize(key.size() - kExtensionLength);
    const auto [first, last] = byStem_.equal_range(key);
    const auto it =
        std::find_if(first, last, [&](const auto& entry) { return entry.second.name == from; });
    if (it != last) byStem_.erase(it);
  }
  if (newIdNamesIndexed_) {
    Add(platform::CaseFoldKey(to), to);
  } else {
    newIdNames_.push_back(to);
  }
}

void CaseIndex::IndexNewIdNames() {
  if (newIdNamesIndexed_) return;
  newIdNamesIndexed_ = true;
  for (auto& name : newIdNames_) {
    std::string key = platform::CaseFoldKey(name);
    Add(std::move(key), std::move(name));
  }
  newIdNames_.clear();
}

// An ID name is digits, a dot and an extension; only a name with the same
// digits folds onto one.
void CaseIndex::CountIfIdInOtherCase(const std::string& name, const std::string& key, int delta) {
  const std::size_t digits = key.find_first_not_of("0123456789");
  if (name == key || digits == 0 || digits == std::string::npos || key[digits] != '.') return;
  const auto it = idsInOtherCase_.find(key);
  if (delta < 0 && it == idsInOtherCase_.end()) return;
  if ((idsInOtherCase_[key] += delta) == 0) idsInOtherCase_.erase(key);
}

}  // namespace mapio::translator
