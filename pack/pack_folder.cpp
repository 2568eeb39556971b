#include "pack/pack_folder.h"

#include <algorithm>

#include "core/job_events.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace mapio::pack {

namespace {

bool IsSeparator(char c) { return c == '/' || c == platform::kSeparator; }

}  // namespace

PackEntry LookAtEntry(const std::string& folderPath, const platform::DirEntry& entry,
                      const std::string& root) {
  using platform::EntryKind;
  PackEntry look;
  look.kind = entry.kind;
  if (entry.kind == EntryKind::Link) {
    const platform::LinkEnd end =
        platform::FollowLink(platform::JoinPath(folderPath, entry.name), root);
    look.link = true;
    look.kind = end.kind;
    look.isFile = end.kind == EntryKind::File && end.inside;
  } else {
    look.isFile = entry.kind == EntryKind::File;
  }
  return look;
}

Listing::Listing(const std::string& path, const std::string& root) {
  // Only looked up: the order the system keeps them in will do.
  exists_ = platform::ListFolder(path, names_, platform::ListOrder::AsStored);
  stems_.Reserve(names_.Size(), names_.TextSize());
  nameOf_.reserve(names_.Size());
  flags_.reserve(names_.Size());
  for (std::uint32_t i = 0; i < names_.Size(); ++i) {
    const platform::DirEntry entry = names_[i];
    const int extension = entry.IsDirectory() ? -1 : PictureExtensionOf(entry.name);
    if (extension < 0) {
      if (!entry.IsDirectory() && IsLeftover(entry.name)) leftovers_.push_back(entry.name);
      continue;
    }
    PackEntry look;
    if (entry.kind != platform::EntryKind::File) {
      look = LookAtEntry(path, entry, root);
      if (!look.isFile) {
        notPictures_.push_back({entry.name, look});
        continue;
      }
    }
    // The extensions are ASCII: folding the stem alone gives the same key.
    const std::string_view stem = entry.name.substr(0, entry.name.size() - kExtensionLength);
    key_.clear();
    platform::AppendCaseFoldKey(stem, key_);
    stems_.Add(key_);
    nameOf_.push_back(entry.name);
    const bool plain =
        key_ == stem && entry.name.substr(stem.size()) == kPictureExtensions[extension];
    flags_.push_back(static_cast<std::uint8_t>((plain ? kPlain : 0) | (look.link ? kLink : 0) |
                                               extension << kExtensionShift));
  }
}

std::uint32_t Listing::HashOf(std::string_view stem) {
  prefetchKey_.clear();
  platform::AppendCaseFoldKey(stem, prefetchKey_);
  return NameIndex::HashOf(prefetchKey_);
}

void Listing::Prefetch(std::uint32_t hash, int step) const {
  stems_.Prefetch(hash, step);
  if (step == 0) return;
  const std::uint32_t n = stems_.FirstNumber(hash);
  if (n == NameIndex::kNone) return;
  if (step == 1) {
    __builtin_prefetch(&flags_[n]);
    __builtin_prefetch(&nameOf_[n]);
  } else if ((flags_[n] & kPlain) == 0) {
    __builtin_prefetch(nameOf_[n].data());
  }
}

PictureMatch::How Listing::Find(std::string_view stem, std::vector<std::string_view>& files) {
  files.clear();
  key_.clear();
  platform::AppendCaseFoldKey(stem, key_);
  stems_.FindAll(key_, found_);
  if (found_.empty()) return PictureMatch::How::None;
  const bool folded = key_ == stem;
  // A name that is its own folded stem needs no look at the listing.
  const auto exact = [&](std::uint32_t n) {
    if (folded) return (flags_[n] & kPlain) != 0;
    const std::string_view name = nameOf_[n];
    return name.substr(0, name.size() - kExtensionLength) == stem &&
           name.substr(name.size() - kExtensionLength) == kPictureExtensions[ExtensionOf(n)];
  };
  for (const std::uint32_t n : found_) {
    if (exact(n)) {
      flags_[n] |= kClaimed;
      return PictureMatch::How::Exact;
    }
  }
  int first = static_cast<int>(std::size(kPictureExtensions));
  for (const std::uint32_t n : found_) first = std::min(first, ExtensionOf(n));
  for (const std::uint32_t n : found_) {
    if (ExtensionOf(n) != first) continue;
    flags_[n] |= kClaimed;
    files.push_back(nameOf_[n]);
  }
  // The same order on every file system.
  std::sort(files.begin(), files.end());
  return PictureMatch::How::OtherCase;
}

PackFolder::PackFolder(std::string path) : path_(std::move(path)), top_(path_, path_) {}

Listing* PackFolder::ListingOf(std::string_view folder) {
  if (lastKnown_ && folder == lastFolder_) return lastListing_;
  // "./icons/" and "icons" are one folder, listed once.
  std::string name;
  for (std::size_t start = 0; start <= folder.size();) {
    std::size_t end = start;
    while (end < folder.size() && !IsSeparator(folder[end])) ++end;
    const std::string_view part = folder.substr(start, end - start);
    if (!part.empty() && part != ".") name.append(name.empty() ? "" : "/").append(part);
    start = end + 1;
  }
  Listing* listing = &top_;
  if (!name.empty()) {
    Subfolder& subfolder = SubfolderOf(std::move(name));
    listing = subfolder.is == Subfolder::Is::OutOfPack ? nullptr : &subfolder.listing;
  }
  lastFolder_.assign(folder);
  lastListing_ = listing;
  lastKnown_ = true;
  return listing;
}

Subfolder& PackFolder::SubfolderOf(std::string name) {
  const auto [it, fresh] = subfolders_.try_emplace(name);
  Subfolder& subfolder = it->second;
  if (!fresh) return subfolder;
  subfolder.name = std::move(name);
  std::string below;  // the folders from the pack's down to this one
  for (std::size_t start = 0; start <= subfolder.name.size();) {
    std::size_t end = subfolder.name.find('/', start);
    if (end == std::string::npos) end = subfolder.name.size();
    below = platform::JoinPath(below.empty() ? path_ : below,
                               std::string_view(subfolder.name).substr(start, end - start));
    if (platform::FileExists(platform::JoinPath(below, kMappingFileName)))
      subfolder.is = Subfolder::Is::Pack;
    start = end + 1;
  }
  subfolder.path = std::move(below);
  // A link to a folder of the pack is that folder; one out of it is never
  // followed, as a link to a picture out of it is never read.
  const platform::LinkEnd end = platform::FollowLink(subfolder.path, path_);
  if (end.kind == platform::EntryKind::Directory && !end.inside)
    subfolder.is = Subfolder::Is::OutOfPack;
  else
    subfolder.listing = Listing(subfolder.path, path_);
  return subfolder;
}

const PictureMatch& PackFolder::Find(std::string_view name) {
  std::size_t cut = name.size();
  while (cut > 0 && !IsSeparator(name[cut - 1])) --cut;
  match_.folder = name.substr(0, cut);
  Listing* listing = cut == 0 ? &top_ : ListingOf(name.substr(0, cut - 1));
  if (!listing) {
    match_.how = PictureMatch::How::OutOfPack;
    match_.files.clear();
    return match_;
  }
  match_.how = listing->Find(name.substr(cut), match_.files);
  return match_;
}

bool PackFolder::HasIdPicture(std::string_view id) {
  return top_.Find(id, files_) != PictureMatch::How::None;
}

}  // namespace mapio::pack
