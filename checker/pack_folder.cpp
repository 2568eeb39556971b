#include "checker/pack_folder.h"

#include <algorithm>

#include "platform/platform.h"

namespace mapio::checker {

namespace {

constexpr std::size_t kExtensionLength = 4;

bool IsSeparator(char c) { return c == '/' || c == platform::kSeparator; }

}  // namespace

int PictureExtensionOf(std::string_view fileName) {
  if (fileName.size() <= kExtensionLength) return -1;
  const std::string_view tail = fileName.substr(fileName.size() - kExtensionLength);
  for (int i = 0; i < static_cast<int>(std::size(kPictureExtensions)); ++i) {
    bool same = true;
    for (std::size_t k = 0; k < kExtensionLength && same; ++k) {
      const char c = tail[k];
      same =
          (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) == kPictureExtensions[i][k];
    }
    if (same) return i;
  }
  return -1;
}

Listing::Listing(const std::string& path) {
  // Only looked up: the order the system keeps them in will do.
  exists_ = platform::ListFolder(path, names_, platform::ListOrder::AsStored);
  stems_.Reserve(names_.Size());
  stemExtensions_.reserve(names_.Size());
  entryStems_.assign(names_.Size(), NameIndex::kNone);
  for (std::size_t i = 0; i < names_.Size(); ++i) {
    const platform::DirEntry entry = names_[i];
    if (entry.isDirectory) continue;
    const std::string_view name = entry.name;
    const int extension = PictureExtensionOf(name);
    if (extension < 0) continue;
    const std::string_view tail = name.substr(name.size() - kExtensionLength);
    if (tail != kPictureExtensions[extension]) continue;  // only in another case
    const std::string_view stem = name.substr(0, name.size() - kExtensionLength);
    bool added = false;
    const std::uint32_t n = stems_.FindOrAdd(stem, added);
    if (added) stemExtensions_.push_back(0);
    stemExtensions_[n] |= 1u << extension;
    entryStems_[i] = n;
  }
  claimed_.assign(stemExtensions_.size(), false);
  claimedEntries_.assign(names_.Size(), false);
}

unsigned Listing::ExactExtensions(std::string_view stem) const {
  const std::uint32_t n = stems_.Find(stem);
  return n == NameIndex::kNone ? 0 : stemExtensions_[n];
}

int Listing::CaseVariants(std::string_view stem, std::vector<std::uint32_t>& entries) {
  if (!foldedMade_) {
    foldedMade_ = true;
    folded_.Reserve(names_.Size());
    foldedEntry_.reserve(names_.Size());
    std::string key;
    for (std::uint32_t i = 0; i < names_.Size(); ++i) {
      if (names_[i].isDirectory) continue;
      key.clear();
      platform::AppendCaseFoldKey(names_[i].name, key);
      folded_.Add(key);
      foldedEntry_.push_back(i);
    }
  }
  // The extensions are ASCII: the stem is folded once for all three.
  key_.clear();
  platform::AppendCaseFoldKey(stem, key_);
  const std::size_t stemSize = key_.size();
  for (int i = 0; i < static_cast<int>(std::size(kPictureExtensions)); ++i) {
    key_.resize(stemSize);
    key_.append(kPictureExtensions[i]);
    folded_.FindAll(key_, entries);
    if (entries.empty()) continue;
    for (std::uint32_t& n : entries) n = foldedEntry_[n];
    // The same order on every file system.
    std::sort(entries.begin(), entries.end(),
              [this](std::uint32_t a, std::uint32_t b) { return names_[a].name < names_[b].name; });
    return i;
  }
  return -1;
}

PackFolder::PackFolder(std::string path) : path_(std::move(path)), top_(path_) {
  pictures_.reserve(top_.Names().Size());
  pictureEntries_.reserve(top_.Names().Size());
  for (std::size_t i = 0; i < top_.Names().Size(); ++i) {
    const platform::DirEntry entry = top_.Names()[i];
    if (!entry.isDirectory && entry.name != "config.xml" && PictureExtensionOf(entry.name) >= 0) {
      pictures_.push_back(entry.name);
      pictureEntries_.push_back(static_cast<std::uint32_t>(i));
    }
  }
}

Listing& PackFolder::ListingOf(const std::string& subfolder) {
  if (subfolder.empty()) return top_;
  auto& listing = subfolders_[subfolder];
  if (!listing) listing = std::make_unique<Listing>(platform::JoinPath(path_, subfolder));
  return *listing;
}

PictureMatch PackFolder::Find(std::string_view name) {
  std::size_t cut = name.size();
  while (cut > 0 && !IsSeparator(name[cut - 1])) --cut;
  const std::string subfolder(name.substr(0, cut > 0 ? cut - 1 : 0));
  const std::string_view base = name.substr(cut);
  Listing& listing = ListingOf(subfolder);

  PictureMatch match;
  if (const std::uint32_t stem = listing.Stem(base); stem != NameIndex::kNone) {
    listing.Claim(stem);
    match.how = PictureMatch::How::Exact;
    return match;
  }
  if (listing.CaseVariants(base, entries_) < 0) return match;
  match.how = PictureMatch::How::OtherCase;
  for (const std::uint32_t entry : entries_) {
    if (&listing == &top_) listing.ClaimEntry(entry);
    match.files.push_back(std::string(name.substr(0, cut)).append(listing.Names()[entry].name));
  }
  return match;
}

bool PackFolder::HasIdPicture(std::string_view id) {
  return top_.ExactExtensions(id) != 0 || top_.CaseVariants(id, entries_) >= 0;
}

}  // namespace mapio::checker
