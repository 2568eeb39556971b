#include "translator/case_index.h"

#include <algorithm>

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

CaseIndex::CaseIndex(platform::FolderListing names, bool followNewNames)
    : names_(std::move(names)), followNewNames_(followNewNames) {
  stems_.Reserve(names_.Size(), names_.TextSize());
  extension_.reserve(names_.Size());
  for (std::uint32_t i = 0; i < names_.Size(); ++i) {
    key_.clear();
    platform::AppendCaseFoldKey(names_[i].name, key_);
    CountIfIdInOtherCase(names_[i].name, key_, +1);
    IndexNext();
  }
}

void CaseIndex::IndexNext() {
  const int extension = ExtensionOf(key_);
  stems_.Add(extension < 0 ? std::string_view(key_)
                           : std::string_view(key_).substr(0, key_.size() - kExtensionLength));
  extension_.push_back(static_cast<signed char>(extension));
}

CaseIndex::Lookup CaseIndex::Find(std::string_view name) {
  Lookup lookup;
  key_.clear();
  platform::AppendCaseFoldKey(name, key_);
  const int extension = ExtensionOf(key_);
  if (extension < 0) return lookup;
  key_.resize(key_.size() - kExtensionLength);
  stems_.FindAll(key_, found_);
  for (const std::uint32_t n : found_) {
    if (extension_[n] != extension) continue;
    const std::string_view other = names_[n].name;
    ++lookup.count;
    lookup.exact = lookup.exact || other == name;
    lookup.any = other;
  }
  return lookup;
}

bool CaseIndex::MissesNewNames(std::string_view name) const {
  const std::size_t dot = name.rfind('.');
  return unfollowedNewNames_ > 0 && dot != std::string_view::npos && AllDigits(name.substr(0, dot));
}

bool CaseIndex::HasOtherCaseOf(std::string_view idName) const {
  return !idsInOtherCase_.empty() && idsInOtherCase_.contains(platform::CaseFoldKey(idName));
}

void CaseIndex::Renamed(const std::string& from, const std::string& to) {
  key_.clear();
  platform::AppendCaseFoldKey(from, key_);
  CountIfIdInOtherCase(from, key_, -1);
  if (ExtensionOf(key_) >= 0) {
    key_.resize(key_.size() - kExtensionLength);
    stems_.FindAll(key_, found_);
    for (const std::uint32_t n : found_) {
      if (extension_[n] >= 0 && names_[n].name == from) {
        extension_[n] = -1;
        break;
      }
    }
  }
  if (!followNewNames_) {
    ++unfollowedNewNames_;
    return;
  }
  names_.Add(to, false);
  key_.clear();
  platform::AppendCaseFoldKey(to, key_);
  IndexNext();
}

// An ID name is digits, a dot and an extension; only a name with the same
// digits folds onto one.
void CaseIndex::CountIfIdInOtherCase(std::string_view name, const std::string& key, int delta) {
  const std::size_t digits = key.find_first_not_of("0123456789");
  if (name == key || digits == 0 || digits == std::string::npos || key[digits] != '.') return;
  const auto it = idsInOtherCase_.find(key);
  if (delta < 0 && it == idsInOtherCase_.end()) return;
  if ((idsInOtherCase_[key] += delta) == 0) idsInOtherCase_.erase(key);
}

}  // namespace mapio::translator
