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
  stems_.Reserve(names_.Size(), names_.TextSize());
  entryOf_.reserve(names_.Size());
  numberOf_.assign(names_.Size(), NameIndex::kNone);
  for (std::uint32_t i = 0; i < names_.Size(); ++i) {
    const platform::DirEntry entry = names_[i];
    const int extension = entry.isDirectory ? -1 : PictureExtensionOf(entry.name);
    if (extension < 0) continue;
    // The extensions are ASCII: folding the stem alone gives the same key.
    const std::string_view stem = entry.name.substr(0, entry.name.size() - kExtensionLength);
    key_.clear();
    platform::AppendCaseFoldKey(stem, key_);
    numberOf_[i] = stems_.Add(key_);
    entryOf_.push_back(i);
    plain_.push_back(key_ == stem &&
                     entry.name.substr(stem.size()) == kPictureExtensions[extension]);
  }
  claimed_.assign(entryOf_.size(), false);
}

void Listing::Prefetch(std::string_view stem) {
  prefetchKey_.clear();
  platform::AppendCaseFoldKey(stem, prefetchKey_);
  stems_.Prefetch(prefetchKey_);
}

PictureMatch::How Listing::Find(std::string_view stem, std::vector<std::uint32_t>& entries) {
  entries.clear();
  key_.clear();
  platform::AppendCaseFoldKey(stem, key_);
  stems_.FindAll(key_, found_);
  if (found_.empty()) return PictureMatch::How::None;
  const bool folded = key_ == stem;
  // A name that is its own folded stem needs no look at the listing.
  const auto exact = [&](std::uint32_t n) {
    if (folded) return static_cast<bool>(plain_[n]);
    const std::string_view name = names_[entryOf_[n]].name;
    return name.substr(0, name.size() - kExtensionLength) == stem &&
           name.substr(name.size() - kExtensionLength) ==
               kPictureExtensions[PictureExtensionOf(name)];
  };
  for (const std::uint32_t n : found_) {
    if (exact(n)) {
      claimed_[n] = true;
      return PictureMatch::How::Exact;
    }
  }
  int first = static_cast<int>(std::size(kPictureExtensions));
  for (const std::uint32_t n : found_)
    first = std::min(first, PictureExtensionOf(names_[entryOf_[n]].name));
  for (const std::uint32_t n : found_) {
    if (PictureExtensionOf(names_[entryOf_[n]].name) != first) continue;
    claimed_[n] = true;
    entries.push_back(entryOf_[n]);
  }
  // The same order on every file system.
  std::sort(entries.begin(), entries.end(),
            [this](std::uint32_t a, std::uint32_t b) { return names_[a].name < names_[b].name; });
  return PictureMatch::How::OtherCase;
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

const PictureMatch& PackFolder::Find(std::string_view name) {
  std::size_t cut = name.size();
  while (cut > 0 && !IsSeparator(name[cut - 1])) --cut;
  const std::string subfolder(name.substr(0, cut > 0 ? cut - 1 : 0));
  Listing& listing = ListingOf(subfolder);
  match_.how = listing.Find(name.substr(cut), entries_);
  match_.folder = name.substr(0, cut);
  match_.files.clear();
  for (const std::uint32_t entry : entries_) match_.files.push_back(listing.Names()[entry].name);
  return match_;
}

bool PackFolder::HasIdPicture(std::string_view id) {
  return top_.Find(id, entries_) != PictureMatch::How::None;
}

}  // namespace mapio::checker
